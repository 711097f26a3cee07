// The move list: its lines after a game, a load and stepping, and a click in
// it, which steps as 戻 and 進 do.
#include <gtest/gtest.h>

#include "draw/board_painter.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "platform_world.h"
#include "record/listed_moves.h"
#include "record/notation.h"
#include "record/record_commands.h"
#include "record/record_file.h"
#include "record/replay.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::clickMove;

// Two people: white's pawn, black's pawn, white's knight, then black's pawn
// takes on the right board's (5,5) where white's pawn stands on the left
// board too, which the two-board capture removes.
void playFourMoves(Game& g) {
    Form_Load(g);
    START_Click(g);
    g.sounds = {1, 11, 12, 13, 14};
    clickMove(g, BoardId::LEFT, 5, 7, 5, 5);
    clickMove(g, BoardId::RIGHT, 4, 2, 4, 4);
    clickMove(g, BoardId::RIGHT, 5, 7, 5, 5);
    clickMove(g, BoardId::RIGHT, 4, 4, 5, 5);
}

using Line = std::tuple<int, std::string, std::string>;

std::vector<Line> lines(const Game& g) {
    std::vector<Line> out;
    for (const ListedMove& m : listedMoves(g)) out.emplace_back(m.number, m.board, m.text);
    return out;
}

const std::vector<Line> FOUR_MOVES = {
    {1, "左", "ｅ２－ｅ４ ポーン"},
    {2, "右", "ｄ７－ｄ５ ポーン"},
    {3, "右", "ｅ２－ｅ４ ポーン"},
    // Taken on its own board and, on the same square, on the other one.
    {4, "右", "ｄ５×ｅ４ ポーン（左×）"}};

TEST(MoveList, AScriptedGameListsEveryMoveInTheGamesText) {
    testing::FakeWorld w;
    playFourMoves(w.game);
    ASSERT_EQ(w.game.state.moveNumber, 4);
    EXPECT_EQ(lines(w.game), FOUR_MOVES);
    // The last move's text is the one drawn beside the board.
    EXPECT_TRUE(w.view.saw("result 2 5 5 1 15"));
    EXPECT_EQ(moveText(5, 5, BLACK_PAWN).line(), "ｅ４ ポーン");
    const auto listed = listedMoves(w.game);
    ASSERT_FALSE(listed.empty());
    const auto last = listed.back().move;
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->twinCapture);  // white's pawn on the left board's (5,5)
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(5, 5), EMPTY);
}

TEST(MoveList, SteppingKeepsTheListAndAMoveThereCutsIt) {
    testing::FakeWorld w;
    playFourMoves(w.game);
    REPLAY_Click(w.game);
    REPLAY_Click(w.game);
    EXPECT_EQ(lines(w.game), FOUR_MOVES);  // 進 still reaches moves 3 and 4
    CANCEL_Click(w.game);
    EXPECT_EQ(lines(w.game), FOUR_MOVES);
    AFTER_Click(w.game);
    AFTER_Click(w.game);  // white to move after black's move 2
    clickMove(w.game, BoardId::LEFT, 7, 8, 6, 6);
    EXPECT_EQ(lines(w.game), (std::vector<Line>{FOUR_MOVES[0], FOUR_MOVES[1], {3, "左", "ｇ１－ｆ３ ナイト"}}));
}

TEST(MoveList, ALoadedRecordListsItsMoves) {
    testing::PlatformWorld w;
    playFourMoves(w.game);
    RecordFile file;
    file.title = "対局";
    for (int n = 0; n <= 4; ++n) file.snapshots.push_back({w.game.history.left[n], w.game.history.right[n]});
    std::string bytes, error;
    ASSERT_TRUE(encodeRecordFile(file, bytes, error)) << error;
    testing::PlatformWorld loaded;
    loaded.folder.write("four.棋譜", bytes);
    Form_Load(loaded.game);
    File1_Click(loaded.game, "four.棋譜");
    ASSERT_EQ(loaded.game.state.lastMoveNumber, 4);
    EXPECT_EQ(loaded.game.state.moveNumber, 0);
    EXPECT_EQ(lines(loaded.game), FOUR_MOVES);
    // An unreadable step shows as such and keeps its number.
    loaded.game.history.right[2] = loaded.game.history.right[1];
    const auto broken = listedMoves(loaded.game);
    EXPECT_EQ(broken[1].text, "？");
    EXPECT_EQ(broken[1].board, "");
    EXPECT_EQ(broken[1].number, 2);
}

// The same four moves in two games, the lists' world and the menus' one.
struct TwinGames {
    testing::FakeWorld list;
    testing::FakeWorld menu;
    TwinGames() {
        playFourMoves(list.game);
        playFourMoves(menu.game);
        for (testing::FakeWorld* w : {&list, &menu}) {
            w->view.lines.clear();
            w->dialogs.boxes.clear();
            w->sound.played.clear();
        }
    }
    void expectAlike() const { testing::expectSameOutcome(list, menu); }
};

TEST(MoveList, AClickInTheListIsTheSameNumberOfStepsBackOrForward) {
    TwinGames t;
    stepToMove(t.list.game, 1);
    for (int k = 0; k < 3; ++k) REPLAY_Click(t.menu.game);
    t.expectAlike();
    EXPECT_EQ(t.list.game.state.sideToMove, Side::None);
    stepToMove(t.list.game, 3);
    AFTER_Click(t.menu.game);
    AFTER_Click(t.menu.game);
    t.expectAlike();
    EXPECT_EQ(t.list.game.state.sideToMove, Side::Second);  // white made move 3: black to move
    stepToMove(t.list.game, 0);
    for (int k = 0; k < 3; ++k) REPLAY_Click(t.menu.game);
    t.expectAlike();
    // Resuming from there asks as after 戻.
    testing::clickSquare(t.list.game, BoardId::LEFT, 1, 1);
    testing::clickSquare(t.menu.game, BoardId::LEFT, 1, 1);
    t.expectAlike();
    ASSERT_FALSE(t.list.dialogs.boxes.empty());
    EXPECT_EQ(t.list.dialogs.boxes.back().text, "「対局」で始めて下さい");
}

TEST(MoveList, ARefusedStepStopsTheWalk) {
    TwinGames t;
    // Past the end: 進 refuses once, as one press of 進 would.
    stepToMove(t.list.game, 7);
    AFTER_Click(t.menu.game);
    t.expectAlike();
    ASSERT_EQ(t.list.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.list.dialogs.boxes[0].title, "進む");
    // In record mode the end is 終わり, as 進 says it.
    t.list.game.state.recordMode = true;
    t.list.dialogs.boxes.clear();
    stepToMove(t.list.game, 5);
    ASSERT_EQ(t.list.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.list.dialogs.boxes[0].text, "終わり");
}

TEST(MoveList, OnlyTheLastStepOfAWalkPausesForItsMoveText) {
    testing::FakeWorld w;
    testing::BlankCanvas canvas;  // the painter's pauses are what is counted
    BoardPainter painter(w.game, canvas);
    w.game.setPresentation(&painter);
    playFourMoves(w.game);
    CANCEL_Click(w.game);
    w.pauses.waits.clear();
    stepToMove(w.game, 4);
    EXPECT_EQ(w.game.state.moveNumber, 4);
    EXPECT_EQ(w.pauses.waits, (std::vector<double>{0.3}));
    // The clock is the game's own again afterwards.
    AFTER_Click(w.game);
    REPLAY_Click(w.game);
    AFTER_Click(w.game);
    EXPECT_EQ(w.pauses.waits, (std::vector<double>{0.3, 0.3}));
    w.game.setPresentation(nullptr);
}

}  // namespace
}  // namespace velmora
