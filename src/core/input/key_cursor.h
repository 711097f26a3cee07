#pragma once
#include "draw/geometry.h"
#include "ports/canvas_port.h"

namespace velmora {

// The square cursor the keyboard moves over both boards. It is a place on
// the screen, not a square of the game: sixteen columns (the left board's
// eight, then the right board's, the gap between them skipped) by eight rows,
// so a reversed board or the mirrored layout leaves it where it is drawn.
// It is hidden until a key asks for it, and a click with the mouse hides it.
class KeyCursor {
public:
    enum class Step { Left, Right, Up, Down };
    static constexpr int COLUMNS = 16;

    // An arrow key: shows a hidden cursor where it stands, else moves it one
    // square, stopping at the edges.
    void step(Step step);
    // A key that clicks: true when the cursor was already shown, so the
    // click lands on a square the person can see; otherwise it is shown now.
    bool readyToClick();
    void hide() { shown_ = false; }
    bool shown() const { return shown_; }

    // Follows a mouse click on a square (hidden as it is), so the keys go on
    // from there; a click off the boards leaves it where it was.
    void follow(double xTwips, double yTwips);

    BoardId board() const { return column_ <= 8 ? BoardId::LEFT : BoardId::RIGHT; }
    int file() const { return column_ <= 8 ? column_ : column_ - 8; }
    int rank() const { return rank_; }
    // The middle of the square in twips, where its click lands.
    double xTwips() const { return gridX(originX(board()), file()) + SQUARE_WIDTH / 2.0; }
    double yTwips() const { return gridY(rank_) + SQUARE_HEIGHT / 2.0; }
    // The whole cell, for the canvas to ring.
    CellMark mark() const;

private:
    int column_ = 5;  // the left board's file e, on white's pawn row
    int rank_ = 7;
    bool shown_ = false;
};

}  // namespace velmora
