// A command given while the computer's search runs stops it: the computer's
// move is thrown away, the game stands paused with the computer to move, and
// the turn starts again only if the command left the game where it stood.
#include <gtest/gtest.h>

#include "com/com_state.h"
#include "com/com_turn.h"
#include "com/hint.h"
#include "com/level.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "record/replay.h"
#include "test_support.h"

namespace velmora {
namespace {

// The search engine as the window runs it: the first `stops` searches are
// stopped by a command and answer nothing; the later ones think briefly.
struct StoppableEngine : EngineRunner {
    int stops = 0;
    int calls = 0;
    std::optional<engine::SearchResult> think(const engine::Position& p, const engine::SearchLimits&) override {
        ++calls;
        if (stops > 0) {
            --stops;
            return std::nullopt;
        }
        return engine::bestMove(p, 30);
    }
};

// A game against LEVEL4 with the person first, the engine standing in for the window's.
struct World : testing::FakeWorld {
    StoppableEngine engine;
    World() : FakeWorld(&engine) {
        dialogs.answers.assign(20, Answer::Ok);
        初期設定(game);
        SENTE_Click(game);
        LEVEL_Click(game, MAX_LEVEL);
    }
    // The person's first move, e2-e4 on the left board, with the computer's search stopped.
    void personMovesWhileSearchIsStopped() {
        engine.stops = 1;
        testing::clickMove(game, BoardId::LEFT, 5, 7, 5, 5);
    }
};

TEST(StoppedTurn, NothingIsPlayedAndTheGameWaitsWithTheComputerToMove) {
    World w;
    const Board leftBefore = w.game.board(BoardId::LEFT);
    w.personMovesWhileSearchIsStopped();
    const GameState& st = w.game.state;
    EXPECT_EQ(w.engine.calls, 1);
    // The person's move stands and is stored; no black piece moved.
    EXPECT_EQ(st.moveNumber, 1);
    EXPECT_EQ(st.lastMoveNumber, 1);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(5, 5), WHITE_PAWN);
    Board expected = leftBefore;
    expected.at(5, 7) = EMPTY;
    expected.at(5, 5) = WHITE_PAWN;
    EXPECT_EQ(w.game.board(BoardId::LEFT), expected);
    EXPECT_EQ(w.game.history.left[1], expected);
    // "思考中" was shown, then taken away; the turn is nobody's until the
    // computer's is taken up again.
    ASSERT_TRUE(w.view.saw("thinking"));
    EXPECT_EQ(w.view.lines.back(), "erase 上");
    EXPECT_EQ(st.sideToMove, Side::None);
    EXPECT_TRUE(comState(w.game).turnStopped);

    // A click on the board now asks to resume, as after a step back; a
    // second stop leaves the turn nobody's again, not the person's.
    w.engine.stops = 1;
    testing::clickSquare(w.game, BoardId::LEFT, 4, 7);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().title, "再開");
    EXPECT_EQ(w.engine.calls, 2);
    EXPECT_EQ(st.sideToMove, Side::None);
    EXPECT_EQ(st.moveNumber, 1);
}

TEST(StoppedTurn, ACommandThatLeftTheGameWhereItStoodLetsTheComputerMove) {
    World w;
    w.personMovesWhileSearchIsStopped();
    // A level, as chosen from the menu while the computer thought.
    LEVEL_Click(w.game, 3);
    continueComputerTurn(w.game);
    const GameState& st = w.game.state;
    EXPECT_EQ(st.moveNumber, 2);  // the one-move level answered
    EXPECT_EQ(st.sideToMove, st.whiteSide);
    EXPECT_FALSE(comState(w.game).turnStopped);
    EXPECT_EQ(w.engine.calls, 1);

    // Taken up again by the engine too, and only once.
    World v;
    v.personMovesWhileSearchIsStopped();
    continueComputerTurn(v.game);
    continueComputerTurn(v.game);
    EXPECT_EQ(v.engine.calls, 2);
    EXPECT_EQ(v.game.state.moveNumber, 2);
    EXPECT_EQ(v.game.state.sideToMove, v.game.state.whiteSide);
}

TEST(StoppedTurn, ACommandThatSteppedOrReplacedTheGameIsNotFollowedByTheComputer) {
    // A step back: the game stays paused one move earlier.
    World back;
    back.personMovesWhileSearchIsStopped();
    REPLAY_Click(back.game);
    continueComputerTurn(back.game);
    EXPECT_EQ(back.engine.calls, 1);
    EXPECT_EQ(back.game.state.moveNumber, 0);
    EXPECT_EQ(back.game.state.sideToMove, Side::None);

    // The first position: the stopped turn is forgotten with the game.
    World first;
    first.personMovesWhileSearchIsStopped();
    CANCEL_Click(first.game);
    EXPECT_FALSE(comState(first.game).turnStopped);
    continueComputerTurn(first.game);
    EXPECT_EQ(first.engine.calls, 1);

    // 先手 on this position, black to move: the computer moves first, once,
    // and the person is not given a second move in a row.
    World fresh;
    fresh.personMovesWhileSearchIsStopped();
    SENTE_Click(fresh.game);
    continueComputerTurn(fresh.game);
    EXPECT_EQ(fresh.engine.calls, 2);
    EXPECT_EQ(fresh.game.state.moveNumber, 2);
    EXPECT_EQ(fresh.game.state.sideToMove, fresh.game.state.whiteSide);
}

TEST(StoppedTurn, AStoppedHintDrawsNothing) {
    World w;
    w.engine.stops = 1;
    const std::size_t drawn = w.view.lines.size();
    HINT_Click(w.game);
    EXPECT_EQ(w.engine.calls, 1);
    EXPECT_EQ(w.view.lines.size(), drawn);
    EXPECT_EQ(w.game.state.sideToMove, w.game.state.whiteSide);
    EXPECT_FALSE(comState(w.game).turnStopped);
}

}  // namespace
}  // namespace velmora
