// The keyboard's square cursor: where the arrow keys take it over both
// boards, and where its click lands.
#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "input/key_cursor.h"
#include "input/mouse_input.h"
#include "rules/setup.h"

namespace velmora {
namespace {

using Step = KeyCursor::Step;

void steps(KeyCursor& c, Step s, int n) {
    for (int i = 0; i < n; ++i) c.step(s);
}

TEST(KeyCursor, HiddenUntilAKeyAsksAndTheFirstKeyOnlyShowsIt) {
    KeyCursor c;
    EXPECT_FALSE(c.shown());
    c.step(Step::Right);
    EXPECT_TRUE(c.shown());
    EXPECT_EQ(c.board(), BoardId::LEFT);
    EXPECT_EQ(c.file(), 5);
    EXPECT_EQ(c.rank(), 7);
    c.step(Step::Right);
    EXPECT_EQ(c.file(), 6);
    // A click key on a hidden cursor shows it and clicks nothing.
    c.hide();
    EXPECT_FALSE(c.readyToClick());
    EXPECT_TRUE(c.shown());
    EXPECT_TRUE(c.readyToClick());
}

TEST(KeyCursor, CrossesTheGapFromFileHToFileAAndStopsAtTheEdges) {
    KeyCursor c;
    c.step(Step::Up);  // shown
    steps(c, Step::Right, 3);
    EXPECT_EQ(c.board(), BoardId::LEFT);
    EXPECT_EQ(c.file(), 8);
    c.step(Step::Right);
    EXPECT_EQ(c.board(), BoardId::RIGHT);
    EXPECT_EQ(c.file(), 1);
    c.step(Step::Left);
    EXPECT_EQ(c.board(), BoardId::LEFT);
    EXPECT_EQ(c.file(), 8);
    steps(c, Step::Right, 20);
    EXPECT_EQ(c.board(), BoardId::RIGHT);
    EXPECT_EQ(c.file(), 8);
    steps(c, Step::Left, 20);
    EXPECT_EQ(c.board(), BoardId::LEFT);
    EXPECT_EQ(c.file(), 1);
    steps(c, Step::Up, 10);
    EXPECT_EQ(c.rank(), 1);
    steps(c, Step::Down, 10);
    EXPECT_EQ(c.rank(), 8);
}

TEST(KeyCursor, ItsMiddleAndItsRingAreThoseOfTheSquareOnBothBoards) {
    KeyCursor c;
    c.step(Step::Up);
    c.step(Step::Up);  // left board, file 5, rank 6
    EXPECT_DOUBLE_EQ(c.xTwips(), 700 + 522 * 5 + 261);
    EXPECT_DOUBLE_EQ(c.yTwips(), 900 + 525 * 6 + 262.5);
    steps(c, Step::Right, 5);  // right board, file 2: grid column 14 from the left origin
    EXPECT_DOUBLE_EQ(c.xTwips(), 700 + 522 * 14 + 261);
    const CellMark m = c.mark();
    EXPECT_EQ(m, (CellMark{700 + 522 * 14, 900 + 525 * 6, 522, 525, KEY_CURSOR_COLOR}));
    for (PaletteColour colour : {SELECT_COLOR, WHITE_COLOR, LAST_MOVE_COLOR, TWIN_CAPTURE_COLOR, OUTLINE_COLOR, SHADOW_COLOR}) {
        EXPECT_NE(KEY_CURSOR_COLOR, colour);
    }
}

TEST(KeyCursor, FollowsAMouseClickOnEitherBoardButNotOffThem) {
    KeyCursor c;
    c.follow(700 + 522 * 15 + 10, 900 + 525 * 2 + 10);  // right board, file 3, rank 2
    EXPECT_FALSE(c.shown());
    EXPECT_EQ(c.board(), BoardId::RIGHT);
    EXPECT_EQ(c.file(), 3);
    EXPECT_EQ(c.rank(), 2);
    for (auto [x, y] : {std::pair{700 + 522 * 10, 900 + 525 * 4},   // the gap
                        std::pair{700 + 522 * 3, 900 + 525 * 9},    // below the boards
                        std::pair{700 + 522 * 0, 900 + 525 * 4},    // the labels' column
                        std::pair{700 + 522 * 21, 900 + 525 * 4}}) {
        c.follow(x, y);
        EXPECT_EQ(c.board(), BoardId::RIGHT);
        EXPECT_EQ(c.file(), 3);
        EXPECT_EQ(c.rank(), 2);
    }
}

TEST(KeyCursor, ItsClickThroughTheMouseHandlerPlaysAMoveOnTheRightBoard) {
    testing::FakeWorld w;
    初期設定(w.game);
    setStartPosition(w.game.board(BoardId::LEFT));
    setStartPosition(w.game.board(BoardId::RIGHT));
    手順保存(w.game, 0);
    START_Click(w.game);
    KeyCursor c;
    c.step(Step::Down);        // shown on the left board's e2
    steps(c, Step::Right, 7);  // over h2 and across the gap to the right board's d2
    ASSERT_EQ(c.board(), BoardId::RIGHT);
    ASSERT_EQ(c.file(), 4);
    Form_MouseDown(w.game, MouseButton::Left, 0, c.xTwips(), c.yTwips());
    steps(c, Step::Up, 2);
    Form_MouseDown(w.game, MouseButton::Left, 0, c.xTwips(), c.yTwips());
    EXPECT_EQ(w.game.board(BoardId::RIGHT).at(4, 5), WHITE_PAWN);
    EXPECT_EQ(w.game.board(BoardId::RIGHT).at(4, 7), EMPTY);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(4, 7), WHITE_PAWN);
    EXPECT_EQ(w.game.state.moveNumber, 1);
}

}  // namespace
}  // namespace velmora
