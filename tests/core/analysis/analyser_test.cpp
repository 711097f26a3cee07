// The analysis beside the boards: it deepens on the position it follows,
// moves to a new one without another word about the old, and stops within
// the time a person notices.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

#include "analysis/analyser.h"
#include "engine/movegen.h"
#include "rules/setup.h"

namespace velmora {
namespace {

using SteadyTime = std::chrono::steady_clock;

struct Heard {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<std::uint64_t, int>> reports;  // position, depth

    void add(std::uint64_t position, int depth) {
        std::lock_guard lock(mutex);
        reports.emplace_back(position, depth);
        changed.notify_all();
    }
    // Waits until a report on `position` reaches `depth`.
    bool waitFor(std::uint64_t position, int depth) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20), [&] {
            for (const auto& [p, d] : reports) {
                if (p == position && d >= depth) return true;
            }
            return false;
        });
    }
    size_t count(std::uint64_t position) {
        std::lock_guard lock(mutex);
        return static_cast<size_t>(std::count_if(reports.begin(), reports.end(),
                                                 [&](const auto& r) { return r.first == position; }));
    }
};

engine::Position start() {
    Board b;
    setStartPosition(b);
    return engine::positionFromBoards(b, b, Colour::White);
}

TEST(Analyser, DeepensMovesOnWhenToldAndStopsAtOnce) {
    Heard heard;
    Analyser analyser([&heard](std::uint64_t p, const engine::SearchProgress& progress) { heard.add(p, progress.depth); },
                      20);
    const std::uint64_t first = analyser.follow(start(), engine::GameKind::TWO_PEOPLE);
    EXPECT_EQ(analyser.following(), first);
    ASSERT_TRUE(heard.waitFor(first, 4));

    // A move on the boards: the old position is heard of no more once follow returns.
    engine::Position after = start();
    engine::MoveList moves;
    engine::generateMoves(after, moves);
    engine::Undo undo;
    after.make(moves.moves[0], undo);
    const std::uint64_t second = analyser.follow(after, engine::GameKind::TWO_PEOPLE);
    EXPECT_NE(second, first);
    const size_t firstReports = heard.count(first);
    ASSERT_TRUE(heard.waitFor(second, 3));
    EXPECT_EQ(heard.count(first), firstReports);

    const auto asked = SteadyTime::now();
    analyser.stop();
    EXPECT_LT(SteadyTime::now() - asked, std::chrono::milliseconds(50));
    EXPECT_EQ(analyser.following(), 0u);
    const size_t secondReports = heard.count(second);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(heard.count(second), secondReports);
}

}  // namespace
}  // namespace velmora
