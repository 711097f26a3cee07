// How soon the analysis shows a position stepped to: the record's positions
// are followed one after another from the last to the first, as 戻 steps
// back, and for each the time from follow() to the first report and to a
// report of depth 6 is taken. Prints the median and the longest of each.
//
//   velmora_analysis_latency RECORD
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <vector>

#include "analysis/analyser.h"
#include "analysis/review.h"
#include "record/record_file.h"

using namespace velmora;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int DEEP_ENOUGH = 6;
constexpr auto GIVE_UP = std::chrono::seconds(10);

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void summary(const char* what, std::vector<double> times) {
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    std::printf("%-22s median %7.1f ms, longest %7.1f ms (%zu positions)\n", what, times[times.size() / 2], times.back(),
                times.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_analysis_latency RECORD\n");
        return 2;
    }
    RecordFile record;
    std::string error;
    if (!readRecordFileStrict(argv[1], record, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    std::vector<std::pair<Board, Board>> snapshots;
    for (const SnapshotPair& s : record.snapshots) snapshots.emplace_back(s.left, s.right);
    const ReviewGame game = reviewGameOf(snapshots, engine::GameKind::TWO_PEOPLE);

    std::mutex mutex;
    std::condition_variable changed;
    // The deepest report of each position followed (by its number).
    std::map<std::uint64_t, int> depthOf;
    Analyser analyser([&](std::uint64_t of, const engine::SearchProgress& progress) {
        std::lock_guard lock(mutex);
        depthOf[of] = std::max(depthOf[of], progress.depth);
        changed.notify_all();
    });
    std::vector<double> first, deep;
    for (size_t i = game.positions.size(); i-- > 0;) {
        if (game.positions[i].end != ReviewPosition::End::None) continue;
        // Not under the lock: follow() waits for the search before, which
        // may be reporting.
        const Clock::time_point asked = Clock::now();
        const std::uint64_t n = analyser.follow(game.positions[i].position, game.kind);
        std::unique_lock lock(mutex);
        if (!changed.wait_for(lock, GIVE_UP, [&] { return depthOf.count(n) > 0; })) continue;
        first.push_back(ms(Clock::now() - asked));
        if (changed.wait_for(lock, GIVE_UP, [&] { return depthOf[n] >= DEEP_ENOUGH; })) deep.push_back(ms(Clock::now() - asked));
    }
    analyser.stop();
    summary("first report", first);
    summary("depth 6 reached", deep);
    return 0;
}
