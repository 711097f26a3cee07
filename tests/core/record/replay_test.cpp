#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "com/handicap.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "input/mouse_input.h"
#include "record/listed_moves.h"
#include "record/notation.h"
#include "record/replay.h"
#include "rules/setup.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::boardRows;
using testing::clickMove;

// A game between two people with three moves made.
void threeMoves(testing::FakeWorld& w) {
    Form_Load(w.game);
    START_Click(w.game);
    w.game.sounds = {1, 11, 12, 13, 14};
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    clickMove(w.game, BoardId::RIGHT, 4, 2, 4, 4);
    clickMove(w.game, BoardId::LEFT, 7, 8, 6, 6);
    w.dialogs.boxes.clear();
    w.sound.played.clear();
}

TEST(Replay, BackThenForwardRestoresTheBoardsAndNamesTheArrival) {
    testing::FakeWorld w;
    threeMoves(w);
    const Board left = w.game.board(BoardId::LEFT), right = w.game.board(BoardId::RIGHT);
    REPLAY_Click(w.game);
    EXPECT_EQ(w.game.state.moveNumber, 2);
    EXPECT_EQ(w.game.state.sideToMove, Side::None);
    EXPECT_EQ(w.game.board(BoardId::LEFT), w.game.history.left[2]);
    AFTER_Click(w.game);
    EXPECT_EQ(w.game.board(BoardId::LEFT), left);
    EXPECT_EQ(w.game.board(BoardId::RIGHT), right);
    EXPECT_TRUE(w.view.saw("result 1 6 6 -2 15"));  // the knight that arrived on (6,6)
    EXPECT_EQ(w.game.state.sideToMove, Side::Second);      // white made move 3
    EXPECT_EQ(w.sound.played, (std::vector<std::int32_t>{11, 11}));
}

TEST(Replay, RefusedAtTheEnds) {
    testing::FakeWorld w;
    threeMoves(w);
    AFTER_Click(w.game);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().text, "できません");
    EXPECT_EQ(w.dialogs.boxes.back().title, "進む");
    for (int k = 0; k < 3; ++k) REPLAY_Click(w.game);
    REPLAY_Click(w.game);
    EXPECT_EQ(w.dialogs.boxes.back().text, "できません");
    EXPECT_EQ(w.dialogs.boxes.back().title, "戻る");
    EXPECT_EQ(w.game.state.moveNumber, 0);
    // In record mode the end says 終わり without the refusal sound.
    w.game.state.recordMode = true;
    w.game.state.moveNumber = 3;
    w.sound.played.clear();
    AFTER_Click(w.game);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().text, "終わり");
    EXPECT_TRUE(w.sound.played.empty());
}

TEST(Replay, CastlingTextNamesThePieceOnTheHigherFile) {
    testing::FakeWorld w;
    初期設定(w.game);
    Board& b = w.game.board(BoardId::LEFT);
    b.at(6, 8) = b.at(7, 8) = EMPTY;
    手順保存(w.game, 0);
    w.game.state.whiteSide = Side::First;
    w.game.state.blackSide = Side::Second;
    w.game.state.sideToMove = Side::First;
    clickMove(w.game, BoardId::LEFT, 5, 8, 7, 8);
    REPLAY_Click(w.game);
    AFTER_Click(w.game);
    EXPECT_TRUE(w.view.saw("result 1 7 8 -6 15"));  // the king on file 7, after the rook on 6
}

TEST(Replay, TurningTwiceRestoresAndDropsSelections) {
    testing::FakeWorld w;
    threeMoves(w);
    const Board left = w.game.board(BoardId::LEFT);
    w.game.selection(BoardId::RIGHT).pieceSelected = true;
    REVERSE_Click(w.game);
    EXPECT_FALSE(w.game.selection(BoardId::RIGHT).pieceSelected);
    EXPECT_TRUE(w.game.state.reversed);
    EXPECT_EQ(boardRows(w.game.board(BoardId::LEFT))[0], "r.bkqbnr");  // white's back rank, turned and recoloured
    EXPECT_TRUE(w.view.saw("redraw"));
    REVERSE_Click(w.game);
    EXPECT_EQ(w.game.board(BoardId::LEFT), left);
    EXPECT_EQ(w.game.state.moveNumber, 3);
    // Not while a record is stepped through.
    w.game.state.recordMode = true;
    REVERSE_Click(w.game);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().text, "棋譜ﾓｰﾄﾞではできません");
    EXPECT_EQ(w.game.board(BoardId::LEFT), left);
}

TEST(Replay, TheBoardsOrientationFollowsThemThroughMovesAndSteps) {
    testing::FakeWorld w;
    threeMoves(w);
    REVERSE_Click(w.game);
    EXPECT_TRUE(w.game.state.boardsTurned);
    // Black moves white's old h-pawn, now at the top left, one square on.
    clickMove(w.game, BoardId::LEFT, 1, 2, 1, 3);
    ASSERT_EQ(w.game.state.moveNumber, 4);
    EXPECT_TRUE(w.game.history.turned[4]);
    const std::vector<ListedMove> list = listedMoves(w.game);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].text, "ｅ２－ｅ４ ポーン");  // made unturned
    EXPECT_EQ(list[3].text, "ｈ２－ｈ３ ポーン");  // named as the turned labels name it
    // The click that picked the pawn stored the turned boards as move 3, which
    // is then read on them and named as before.
    EXPECT_TRUE(w.game.history.turned[3]);
    EXPECT_EQ(list[2].text, "ｇ１－ｆ３ ナイト");
    // Back to a snapshot stored unturned: the boards come back the right way round.
    REPLAY_Click(w.game);
    EXPECT_TRUE(w.game.state.boardsTurned);
    REPLAY_Click(w.game);
    EXPECT_FALSE(w.game.state.boardsTurned);
    EXPECT_EQ(w.game.board(BoardId::LEFT), w.game.history.left[2]);
    w.view.lines.clear();
    AFTER_Click(w.game);
    EXPECT_TRUE(w.game.state.boardsTurned);
    EXPECT_EQ(w.game.board(BoardId::LEFT), w.game.history.left[3]);
    EXPECT_TRUE(w.view.saw("redraw"));
    EXPECT_TRUE(w.view.saw("result 1 3 3 2 15"));  // the knight that arrived, found on the turned boards
    // A new game stands the right way round.
    CANCEL_Click(w.game);
    EXPECT_FALSE(w.game.state.boardsTurned);
    EXPECT_FALSE(w.game.history.turned[0]);
}

TEST(Replay, TurningTheBoardsTurnsAHandicapToTheOtherSide) {
    testing::FakeWorld w;
    Form_Load(w.game);
    LBEL_UP_Click(w.game);
    LBEL_UP_Click(w.game);  // black plays without its rooks
    ASSERT_EQ(w.game.state.handicapLevel, 2);
    w.view.lines.clear();
    REVERSE_Click(w.game);
    EXPECT_EQ(w.game.state.handicapLevel, -2);  // now white plays without them
    EXPECT_TRUE(w.view.saw("handicap -2"));
    EXPECT_EQ(boardRows(w.game.board(BoardId::LEFT))[7], ".NBKQBN.");
    REVERSE_Click(w.game);
    EXPECT_EQ(w.game.state.handicapLevel, 2);
    EXPECT_TRUE(w.view.saw("handicap 2"));
    // Without a handicap step there is no level to turn or show.
    testing::FakeWorld plain;
    Form_Load(plain.game);
    plain.view.lines.clear();
    REVERSE_Click(plain.game);
    EXPECT_EQ(plain.game.state.handicapLevel, 0);
    for (const std::string& line : plain.view.lines) EXPECT_NE(line.rfind("handicap", 0), 0u) << line;
}

TEST(Replay, StartAgainKeepsTheLaterSnapshotsForStepping) {
    testing::FakeWorld w;
    threeMoves(w);
    w.game.state.recordMode = true;
    CANCEL_Click(w.game);
    EXPECT_EQ(w.game.state.moveNumber, 0);
    EXPECT_EQ(w.game.state.lastMoveNumber, 3);
    EXPECT_FALSE(w.game.state.recordMode);
    for (int k = 0; k < 3; ++k) AFTER_Click(w.game);
    EXPECT_EQ(w.game.board(BoardId::LEFT), w.game.history.left[3]);
    AFTER_Click(w.game);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().text, "できません");
}

}  // namespace
}  // namespace velmora
