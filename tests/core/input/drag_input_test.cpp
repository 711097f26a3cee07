// Dragging a piece: the press is the first click, the release on another
// square the second, and anything else drops the selection.
#include <gtest/gtest.h>

#include "fakes.h"
#include "flow/game_flow.h"
#include "input/drag_input.h"
#include "input/mouse_input.h"
#include "record/notation.h"
#include "test_support.h"

namespace velmora {
namespace {

double centreX(BoardId id, int file) { return gridX(originX(id), file) + SQUARE_WIDTH / 2.0; }
double centreY(int rank) { return gridY(rank) + SQUARE_HEIGHT / 2.0; }

// Presses on one square and releases on another, as the window passes a drag on.
void drag(Game& g, BoardId id, int ff, int fr, double toX, double toY, MouseButton button = MouseButton::Left) {
    const double x = centreX(id, ff), y = centreY(fr);
    Form_MouseDown(g, button, 0, x, y);
    if (const auto from = pickedUp(g, x, y)) dropPiece(g, button, *from, toX, toY);
}
void drag(Game& g, BoardId id, int ff, int fr, int tf, int tr, MouseButton button = MouseButton::Left) {
    drag(g, id, ff, fr, centreX(id, tf), centreY(tr), button);
}

TEST(DragInput, SquaresUnderThePointer) {
    EXPECT_EQ(squareAt(centreX(BoardId::LEFT, 1), centreY(1)), (BoardSquare{BoardId::LEFT, {1, 1}}));
    EXPECT_EQ(squareAt(gridX(LEFT_ORIGIN_X, 9) - 1, gridY(9) - 1), (BoardSquare{BoardId::LEFT, {8, 8}}));
    EXPECT_EQ(squareAt(gridX(RIGHT_ORIGIN_X, 1), gridY(1)), (BoardSquare{BoardId::RIGHT, {1, 1}}));
    EXPECT_EQ(squareAt(centreX(BoardId::RIGHT, 8), centreY(8)), (BoardSquare{BoardId::RIGHT, {8, 8}}));
    EXPECT_FALSE(squareAt(gridX(LEFT_ORIGIN_X, 10), centreY(4)));  // between the boards
    EXPECT_FALSE(squareAt(centreX(BoardId::LEFT, 4), gridY(9)));    // below them
    EXPECT_FALSE(squareAt(centreX(BoardId::LEFT, 4), gridY(1) - 1));
    EXPECT_FALSE(squareAt(gridX(LEFT_ORIGIN_X, 1) - 1, centreY(4)));
}

// One game played with drags, its twin with two clicks a move.
struct DragAndClicks {
    testing::FakeWorld dragged;
    testing::FakeWorld clicked;
    DragAndClicks() {
        for (testing::FakeWorld* w : {&dragged, &clicked}) {
            Form_Load(w->game);
            START_Click(w->game);
            w->game.sounds = {1, 11, 12, 13, 14};
            // Whatever the settings file says: guidance on in both.
            w->game.state.moveGuidance = true;
            w->game.options.guideColor = WHITE_COLOR;
        }
    }
    void expectAlike() const { testing::expectSameOutcome(dragged, clicked); }
};

TEST(DragInput, ADragIsTheSameMoveAsTwoClicks) {
    DragAndClicks t;
    drag(t.dragged.game, BoardId::LEFT, 5, 7, 5, 5);
    testing::clickMove(t.clicked.game, BoardId::LEFT, 5, 7, 5, 5);
    t.expectAlike();
    drag(t.dragged.game, BoardId::RIGHT, 7, 1, 6, 3);
    testing::clickMove(t.clicked.game, BoardId::RIGHT, 7, 1, 6, 3);
    t.expectAlike();
    EXPECT_EQ(t.dragged.game.state.moveNumber, 2);
    EXPECT_EQ(t.dragged.game.board(BoardId::RIGHT).at(6, 3), BLACK_KNIGHT);
    // An illegal drop drops the selection as the illegal second click does.
    drag(t.dragged.game, BoardId::LEFT, 4, 8, 4, 4);
    testing::clickMove(t.clicked.game, BoardId::LEFT, 4, 8, 4, 4);
    t.expectAlike();
    EXPECT_EQ(t.dragged.game.selection(BoardId::LEFT).pieceSelected, false);
}

TEST(DragInput, RefusalsAndThePromotionDialogComeAsForClicks) {
    DragAndClicks t;
    for (testing::FakeWorld* w : {&t.dragged, &t.clicked}) {
        Board& b = w->game.board(BoardId::LEFT);
        b.at(1, 1) = EMPTY;
        b.at(1, 2) = WHITE_PAWN;
        w->game.presentation().描画_盤(BoardId::LEFT);
        w->dialogs.choices = {WHITE_KNIGHT};
    }
    // With the left button the pawn may not go to its last rank.
    drag(t.dragged.game, BoardId::LEFT, 1, 2, 1, 1);
    testing::clickMove(t.clicked.game, BoardId::LEFT, 1, 2, 1, 1);
    t.expectAlike();
    ASSERT_FALSE(t.dragged.dialogs.boxes.empty());
    EXPECT_EQ(t.dragged.dialogs.boxes.back().text, "マウスの右をクリックして下さい");
    EXPECT_EQ(t.dragged.game.selection(BoardId::LEFT).pieceSelected, true);
    // With the right button it asks for the piece.
    drag(t.dragged.game, BoardId::LEFT, 1, 2, 1, 1, MouseButton::Right);
    testing::clickMove(t.clicked.game, BoardId::LEFT, 1, 2, 1, 1, MouseButton::Right);
    t.expectAlike();
    EXPECT_EQ(t.dragged.game.board(BoardId::LEFT).at(1, 1), WHITE_KNIGHT);
    EXPECT_EQ(t.dragged.dialogs.promotions.size(), 1u);
}

TEST(DragInput, ReleasedOnTheStartSquareOrOffTheBoardsItDropsTheSelection) {
    testing::FakeWorld w;
    Form_Load(w.game);
    START_Click(w.game);
    for (const auto& [x, y] : {std::pair{centreX(BoardId::LEFT, 5) + 100, centreY(7) - 100},  // its own square
                               std::pair{gridX(LEFT_ORIGIN_X, 10), centreY(5)},               // between the boards
                               std::pair{-2000.0, -2000.0}}) {                                // outside the window
        w.view.lines.clear();
        drag(w.game, BoardId::LEFT, 5, 7, x, y);
        EXPECT_EQ(w.game.selection(BoardId::LEFT).pieceSelected, false);
        ASSERT_FALSE(w.view.lines.empty());
        EXPECT_EQ(w.view.lines.back(), "outlines 1");
        EXPECT_EQ(w.game.state.moveNumber, 0);
    }
    EXPECT_TRUE(w.dialogs.boxes.empty() || w.dialogs.boxes.back().text == "先手の番です");
}

TEST(DragInput, OnlyTheMoversSelectedPieceIsPickedUp) {
    testing::FakeWorld w;
    Form_Load(w.game);
    // No game: the press asks to start one and picks nothing up.
    Form_MouseDown(w.game, MouseButton::Left, 0, centreX(BoardId::LEFT, 5), centreY(7));
    EXPECT_FALSE(pickedUp(w.game, centreX(BoardId::LEFT, 5), centreY(7)));
    START_Click(w.game);
    // An opponent's piece shows its moves but is not picked up; nor is an empty square.
    Form_MouseDown(w.game, MouseButton::Left, 0, centreX(BoardId::LEFT, 5), centreY(2));
    EXPECT_FALSE(pickedUp(w.game, centreX(BoardId::LEFT, 5), centreY(2)));
    Form_MouseDown(w.game, MouseButton::Left, 0, centreX(BoardId::LEFT, 5), centreY(5));
    EXPECT_FALSE(pickedUp(w.game, centreX(BoardId::LEFT, 5), centreY(5)));
    // The mover's piece, also when the press reselects.
    Form_MouseDown(w.game, MouseButton::Left, 0, centreX(BoardId::LEFT, 4), centreY(7));
    EXPECT_EQ(pickedUp(w.game, centreX(BoardId::LEFT, 4), centreY(7)), (BoardSquare{BoardId::LEFT, {4, 7}}));
    Form_MouseDown(w.game, MouseButton::Left, 0, centreX(BoardId::LEFT, 3), centreY(7));
    EXPECT_EQ(pickedUp(w.game, centreX(BoardId::LEFT, 3), centreY(7)), (BoardSquare{BoardId::LEFT, {3, 7}}));
    EXPECT_FALSE(pickedUp(w.game, centreX(BoardId::LEFT, 4), centreY(7)));
    // Once the selection has gone, a late release does nothing.
    const BoardSquare from{BoardId::LEFT, {3, 7}};
    w.game.selection(BoardId::LEFT).pieceSelected = false;
    dropPiece(w.game, MouseButton::Left, from, centreX(BoardId::LEFT, 3), centreY(5));
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(3, 5), EMPTY);
    EXPECT_EQ(w.game.state.moveNumber, 0);
}

}  // namespace
}  // namespace velmora
