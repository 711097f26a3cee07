// The last move's marks: which squares, in which colour, and when.
#include <gtest/gtest.h>

#include "draw/board_painter.h"
#include "draw/move_marks.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "record/played_move.h"
#include "record/replay.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::clickMove;

SquareMark yellow(BoardId id, int f, int r) { return {id, {f, r}, LAST_MOVE_COLOR}; }
SquareMark magenta(BoardId id, int f, int r) { return {id, {f, r}, TWIN_CAPTURE_COLOR}; }

void startTwoPeople(Game& g) {
    Form_Load(g);
    START_Click(g);
}

TEST(MoveMarks, FromToAndTheSquareTheTwoBoardCaptureEmptied) {
    testing::FakeWorld w;
    startTwoPeople(w.game);
    EXPECT_TRUE(lastMoveMarks(w.game).empty());  // move 0
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    EXPECT_EQ(lastMoveMarks(w.game), (std::vector<SquareMark>{yellow(BoardId::LEFT, 5, 7), yellow(BoardId::LEFT, 5, 5)}));
    clickMove(w.game, BoardId::RIGHT, 4, 2, 4, 4);
    clickMove(w.game, BoardId::RIGHT, 5, 7, 5, 5);
    // Black's pawn takes on the right board and the white pawn on the left
    // board's (5,5) goes with it.
    clickMove(w.game, BoardId::RIGHT, 4, 4, 5, 5);
    EXPECT_EQ(lastMoveMarks(w.game), (std::vector<SquareMark>{yellow(BoardId::RIGHT, 4, 4), yellow(BoardId::RIGHT, 5, 5),
                                                              magenta(BoardId::LEFT, 5, 5)}));
    // A selection is no move: the marks stay.
    testing::clickSquare(w.game, BoardId::LEFT, 2, 8);
    ASSERT_EQ(w.game.selection(BoardId::LEFT).pieceSelected, true);
    EXPECT_EQ(lastMoveMarks(w.game).size(), 3u);
}

TEST(MoveMarks, FollowTheStepsTheTurnAndANewStart) {
    testing::FakeWorld w;
    startTwoPeople(w.game);
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    clickMove(w.game, BoardId::RIGHT, 2, 1, 3, 3);
    REPLAY_Click(w.game);
    EXPECT_EQ(lastMoveMarks(w.game), (std::vector<SquareMark>{yellow(BoardId::LEFT, 5, 7), yellow(BoardId::LEFT, 5, 5)}));
    AFTER_Click(w.game);
    EXPECT_EQ(lastMoveMarks(w.game), (std::vector<SquareMark>{yellow(BoardId::RIGHT, 2, 1), yellow(BoardId::RIGHT, 3, 3)}));
    // Turned: the same move where the turned boards show it.
    REVERSE_Click(w.game);
    EXPECT_EQ(lastMoveMarks(w.game), (std::vector<SquareMark>{yellow(BoardId::RIGHT, 7, 8), yellow(BoardId::RIGHT, 6, 6)}));
    REVERSE_Click(w.game);
    EXPECT_EQ(lastMoveMarks(w.game)[1], yellow(BoardId::RIGHT, 3, 3));
    // Boards that show neither the snapshot nor its turn carry no marks.
    w.game.board(BoardId::LEFT).at(1, 1) = EMPTY;
    EXPECT_TRUE(lastMoveMarks(w.game).empty());
    w.game.board(BoardId::LEFT).at(1, 1) = BLACK_ROOK;
    CANCEL_Click(w.game);
    EXPECT_TRUE(lastMoveMarks(w.game).empty());
}

// Keeps the marks the painter hands on.
class MarksCanvas : public testing::BlankCanvas {
public:
    void setMarks(const std::vector<CellMark>& m) override {
        marks = m;
        ++calls;
    }
    std::vector<CellMark> marks;
    int calls = 0;
};

TEST(MoveMarks, TheWindowIsToldAtEveryMoveInTwipsOfTheGrid) {
    testing::FakeWorld w;
    MarksCanvas canvas;
    BoardPainter painter(w.game, canvas);
    int followed = 0;
    painter.setRecordFollower([&] { ++followed; });
    w.game.setPresentation(&painter);
    startTwoPeople(w.game);
    clickMove(w.game, BoardId::RIGHT, 7, 8, 6, 6);
    EXPECT_EQ(canvas.calls, 1);
    EXPECT_EQ(followed, 1);
    EXPECT_EQ(canvas.marks, (std::vector<CellMark>{{6964 + 522 * 7, 900 + 525 * 8, 522, 525, LAST_MOVE_COLOR},
                                                   {6964 + 522 * 6, 900 + 525 * 6, 522, 525, LAST_MOVE_COLOR}}));
    // A step is followed when the window asks, after the command.
    REPLAY_Click(w.game);
    painter.followRecord();
    EXPECT_TRUE(canvas.marks.empty());
    EXPECT_EQ(followed, 2);
    w.game.setPresentation(nullptr);
}

}  // namespace
}  // namespace velmora
