#pragma once
#include <optional>

#include "flow/shutdown.h"
#include "game.h"
#include "input/mouse_input.h"

namespace velmora {

// A square of one of the two boards.
struct BoardSquare {
    BoardId board = BoardId::LEFT;
    Square square;
    bool operator==(const BoardSquare&) const = default;
};

// The board square under a point of the window (twips), by the grid the
// clicks use; none in the gap between the boards or around them.
std::optional<BoardSquare> squareAt(double x, double y);

// A piece is dragged by pressing on it, which is handled as the first click,
// and releasing on another square, handled as the second one. After the press
// at (x, y): the square whose piece it picked up, that is the square it
// selected one of the mover's pieces on; none otherwise.
std::optional<BoardSquare> pickedUp(const Game& g, double x, double y);

// The release of a piece picked up on `from`, at (x, y): on another board
// square it is the second click, with the button of the press; on the start
// square or off the boards it drops the selection the press made. Nothing
// happens once that selection has gone.
GameOutcome dropPiece(Game& g, MouseButton button, const BoardSquare& from, double x, double y);

}  // namespace velmora
