// The review of a game: blunders found where they are, nothing where the
// engine played its own moves, the same views from one worker as from
// several, and a cancel that ends the workers at once.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "analysis/review_pool.h"
#include "analysis/blunder_game.h"
#include "board_text_fixture.h"
#include "engine/movegen.h"
#include "record/notation.h"
#include "rules/setup.h"

namespace velmora {
namespace {

using testing::blunderGame;
using Snapshot = std::pair<Board, Board>;
TEST(Review, BlundersOfQueenAndKingAcrossTheBoardsAreMarkedAndTheBestMovesAreNot) {
    const ReviewGame game = reviewGameOf(blunderGame(), engine::GameKind::TWO_PEOPLE);
    ASSERT_EQ(game.positions.size(), 6u);
    EXPECT_EQ(game.first, Colour::White);
    EXPECT_EQ(game.positions.back().end, ReviewPosition::End::KingTaken);
    ASSERT_TRUE(game.moves[1] && game.moves[1]->twinCapture);

    const std::vector<PositionView> views = reviewGame(game, reviewLimits(50, game.kind), 2);
    const std::vector<MoveReview> moves = judgeMoves(game, views);
    ASSERT_EQ(moves.size(), 5u);
    EXPECT_EQ(moves[0].mark, MoveMark::Blunder) << moves[0].before << " -> " << moves[0].after;
    EXPECT_TRUE(moves[0].byFirst);
    EXPECT_EQ(moves[1].mark, MoveMark::None);
    EXPECT_EQ(moves[3].mark, MoveMark::Blunder) << moves[3].before << " -> " << moves[3].after;
    EXPECT_FALSE(moves[3].byFirst);
    EXPECT_EQ(moves[4].mark, MoveMark::None);
    EXPECT_TRUE(moves[4].playedBest);
    // The game ends with white's king taking: the last score is a fall for the first player.
    const std::optional<KingFall> fall = kingFallOf(moves[4].after);
    ASSERT_TRUE(fall);
    EXPECT_EQ(fall->moves, 0);
    EXPECT_TRUE(fall->forFirst);

    const SideSummary white = summarise(moves, true), black = summarise(moves, false);
    EXPECT_EQ(moves[2].mark, MoveMark::Blunder);
    EXPECT_EQ(white.moves, 3);
    EXPECT_EQ(white.blunders, 2);
    EXPECT_EQ(black.moves, 2);
    EXPECT_EQ(black.blunders, 1);
    EXPECT_GT(black.averageLoss, 400);
}

TEST(Review, TheFullEnginesOwnGameAtTheSameBudgetHasNoMistakes) {
    // Each move is the engine's choice at the review's own budget.
    Board start;
    setStartPosition(start);
    std::vector<Snapshot> snapshots{{start, start}};
    const engine::SearchLimits limits = reviewLimits(10, engine::GameKind::TWO_PEOPLE);
    engine::Position p = engine::positionFromBoards(snapshots.back().first, snapshots.back().second, Colour::White);
    for (int ply = 0; ply < 24; ++ply) {
        const PositionView view = viewOf({p, ReviewPosition::End::None}, limits);
        ASSERT_FALSE(view.line.empty());
        engine::Undo undo;
        p.make(view.line.front(), undo);
        snapshots.emplace_back(engine::boardOf(p, BoardId::LEFT), engine::boardOf(p, BoardId::RIGHT));
    }
    const ReviewGame game = reviewGameOf(snapshots, engine::GameKind::TWO_PEOPLE);
    ASSERT_EQ(game.moves.size(), 24u);
    const std::vector<MoveReview> moves = judgeMoves(game, reviewGame(game, limits, 2));
    for (const MoveReview& m : moves) {
        EXPECT_TRUE(m.playedBest) << "ply " << m.ply;
        EXPECT_EQ(m.mark, MoveMark::None) << "ply " << m.ply;
    }
}

TEST(Review, OneWorkerAndTwoSeeTheSameAndLinesArePlayable) {
    const ReviewGame game = reviewGameOf(blunderGame(), engine::GameKind::TWO_PEOPLE);
    const engine::SearchLimits limits = reviewLimits(20, game.kind);
    const std::vector<PositionView> one = reviewGame(game, limits, 1);
    const std::vector<PositionView> two = reviewGame(game, limits, 2);
    ASSERT_EQ(one.size(), two.size());
    for (size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(one[i].score, two[i].score) << i;
        EXPECT_EQ(one[i].line, two[i].line) << i;
        // Every move of a line is legal where it is played.
        engine::Position p = game.positions[i].position;
        for (const engine::EngineMove m : one[i].line) {
            engine::MoveList legal;
            engine::generateMoves(p, legal);
            ASSERT_NE(std::find(legal.begin(), legal.end(), m), legal.end()) << "position " << i;
            engine::Undo undo;
            p.make(m, undo);
        }
        EXPECT_LE(one[i].line.size(), 8u);
    }
}

TEST(Review, ACancelEndsTheWorkersAtOnce) {
    // Three positions from the start, none with a king's fall near.
    const ReviewGame game = reviewGameOf(testing::openingGame(2), engine::GameKind::TWO_PEOPLE);
    std::atomic<int> handed{0};
    // A minute a position: only the cancel can end this in time.
    ReviewPool pool(game, reviewLimits(60'000, game.kind), 2, [&](int, const PositionView&) { ++handed; });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto asked = std::chrono::steady_clock::now();
    pool.cancel();
    pool.wait();
    const auto took = std::chrono::steady_clock::now() - asked;
    EXPECT_LT(took, std::chrono::milliseconds(100));
    // The searches under way were cut short: nothing is handed on.
    EXPECT_EQ(handed.load(), 0);
}

TEST(Review, ScoresTurnToTheFirstPlayerAndKingFallsCountMoves) {
    EXPECT_EQ(forFirst(120, Colour::White, Colour::White), 120);
    EXPECT_EQ(forFirst(120, Colour::Black, Colour::White), -120);
    EXPECT_EQ(forFirst(120, Colour::Black, Colour::Black), 120);
    EXPECT_FALSE(kingFallOf(900));
    // The side to move takes a king with its next move, or loses one to the reply.
    EXPECT_EQ(kingFallOf(engine::kingTakenAt(1))->moves, 1);
    EXPECT_TRUE(kingFallOf(engine::kingTakenAt(1))->forFirst);
    EXPECT_EQ(kingFallOf(engine::kingLostAt(2))->moves, 1);
    EXPECT_FALSE(kingFallOf(engine::kingLostAt(2))->forFirst);
    EXPECT_EQ(kingFallOf(engine::kingTakenAt(5))->moves, 3);
}

TEST(Review, MarksFollowTheDropOfTheWinningChance) {
    EXPECT_DOUBLE_EQ(winChance(0), 0.0);
    EXPECT_NEAR(winChance(300), -winChance(-300), 1e-12);
    EXPECT_LT(winChance(300), winChance(301));
    EXPECT_EQ(winChance(engine::kingTakenAt(3)), 1.0);
    EXPECT_EQ(winChance(engine::kingLostAt(3)), -1.0);
    EXPECT_EQ(markOf(0.05), MoveMark::None);
    EXPECT_EQ(markOf(0.1), MoveMark::Inaccuracy);
    EXPECT_EQ(markOf(0.25), MoveMark::Mistake);
    EXPECT_EQ(markOf(0.3), MoveMark::Blunder);
    EXPECT_EQ(markText(MoveMark::Blunder), "??");
    EXPECT_EQ(markText(MoveMark::None), "");
}

TEST(Review, MovesAreNamedWithBothSquaresAndEveryCapture) {
    const std::vector<Snapshot> s = blunderGame();
    const ReviewGame game = reviewGameOf(s, engine::GameKind::TWO_PEOPLE);
    EXPECT_EQ(shown(nullptr, moveName(*game.moves[0], true)), "左 ｄ１－ｄ４ クィーン");
    EXPECT_EQ(shown(nullptr, moveName(*game.moves[1], false)), "ａ４－ｄ４ ルーク（左×）");
}

}  // namespace
}  // namespace velmora
