// The review as the window runs it: in the background, with its progress,
// the same views as the review in the call, a graph clamped at ten pawns
// with a king's fall at the edge, and a cancel that hands on nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "analysis/blunder_game.h"
#include "analysis/game_review.h"

namespace velmora {
namespace {

using testing::blunderGame;

TEST(GameReview, TheBackgroundReviewSeesWhatTheReviewInTheCallSeesAndReportsEachPosition) {
    const ReviewGame game = reviewGameOf(blunderGame(), engine::GameKind::TWO_PEOPLE);
    const int count = static_cast<int>(game.positions.size());
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<BackgroundReview::Progress> heard;
    BackgroundReview review(game, 20, 2, [&](const BackgroundReview::Progress& p) {
        std::lock_guard lock(mutex);
        heard.push_back(p);
        changed.notify_one();
    });
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(30), [&] { return static_cast<int>(heard.size()) == count; }));
    }
    ASSERT_TRUE(review.finished());
    // A report for each position seen (two workers may hand theirs on in
    // either order), the move it is on within the game, and nothing left at
    // the end.
    std::sort(heard.begin(), heard.end(), [](const auto& a, const auto& b) { return a.finished < b.finished; });
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(heard[static_cast<size_t>(i)].finished, i + 1);
        EXPECT_EQ(heard[static_cast<size_t>(i)].count, count);
        EXPECT_GE(heard[static_cast<size_t>(i)].move, 1);
        EXPECT_LE(heard[static_cast<size_t>(i)].move, count - 1);
    }
    EXPECT_EQ(heard.back().msLeft, 0);

    const std::optional<GameReview> result = review.result();
    ASSERT_TRUE(result);
    const std::vector<PositionView> inTheCall = reviewGame(game, reviewLimits(20, game.kind), 1);
    ASSERT_EQ(result->views.size(), inTheCall.size());
    for (size_t i = 0; i < inTheCall.size(); ++i) {
        EXPECT_EQ(result->views[i].score, inTheCall[i].score) << i;
        EXPECT_EQ(result->views[i].line, inTheCall[i].line) << i;
    }
    const std::vector<MoveReview> judged = judgeMoves(game, inTheCall);
    ASSERT_EQ(result->moves.size(), judged.size());
    for (size_t i = 0; i < judged.size(); ++i) EXPECT_EQ(result->moves[i].mark, judged[i].mark) << i;
    EXPECT_EQ(result->first.blunders + result->second.blunders,
              std::count_if(judged.begin(), judged.end(), [](const MoveReview& m) { return m.mark == MoveMark::Blunder; }));

    // The graph: the start, then the score after each move.
    const std::vector<GraphPoint> points = graphPoints(*result);
    ASSERT_EQ(points.size(), judged.size() + 1);
    EXPECT_EQ(points.front(), graphPointOf(judged.front().before));
    for (size_t i = 0; i < judged.size(); ++i) EXPECT_EQ(points[i + 1], graphPointOf(judged[i].after)) << i;
    // The game ends with a king taken by the first player: the last point at the top edge.
    EXPECT_EQ(points.back(), (GraphPoint{GRAPH_LIMIT_PAWNS, true}));
}

TEST(GameReview, GraphPointsAreClampedAtTenPawnsAndAKingsFallStandsAtTheEdge) {
    EXPECT_EQ(graphPointOf(0), (GraphPoint{0, false}));
    EXPECT_EQ(graphPointOf(-135), (GraphPoint{-1.35, false}));
    EXPECT_EQ(graphPointOf(999), (GraphPoint{9.99, false}));
    EXPECT_EQ(graphPointOf(2500), (GraphPoint{GRAPH_LIMIT_PAWNS, false}));
    EXPECT_EQ(graphPointOf(-2500), (GraphPoint{-GRAPH_LIMIT_PAWNS, false}));
    EXPECT_EQ(graphPointOf(engine::kingTakenAt(3)), (GraphPoint{GRAPH_LIMIT_PAWNS, true}));
    EXPECT_EQ(graphPointOf(engine::kingLostAt(4)), (GraphPoint{-GRAPH_LIMIT_PAWNS, true}));
}

TEST(GameReview, ACancelledReviewStopsAtOnceAndGivesNoResult) {
    const ReviewGame game = reviewGameOf(testing::openingGame(2), engine::GameKind::TWO_PEOPLE);
    std::atomic<int> heard{0};
    // A minute a position: only the cancel ends this in time.
    auto review = std::make_unique<BackgroundReview>(game, 60'000, 2, [&](const BackgroundReview::Progress&) { ++heard; });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const BackgroundReview::Progress before = review->progress();
    EXPECT_EQ(before.finished, 0);
    EXPECT_EQ(before.move, 1);
    // Nothing seen yet: the budget a position, shared by the workers.
    const int positions = static_cast<int>(game.positions.size());
    EXPECT_EQ(before.msLeft, 60'000 * ((positions + 1) / 2));
    const auto asked = std::chrono::steady_clock::now();
    review->cancel();
    // The workers end by themselves; waiting for them here.
    review->wait();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(100));
    EXPECT_EQ(heard.load(), 0);
    EXPECT_FALSE(review->finished());
    EXPECT_FALSE(review->result());
}

}  // namespace
}  // namespace velmora
