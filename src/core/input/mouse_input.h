#pragma once
#include "flow/shutdown.h"
#include "game.h"

namespace velmora {

// The mouse buttons as the window reports them; the right button asks for
// the piece a pawn becomes.
enum class MouseButton { Left = 1, Right = 2, Other = 4 };

// A mouse-down in the window's client area, at (x, y) in twips. Returns how
// the click left the game.
GameOutcome Form_MouseDown(Game& g, MouseButton button, int shift, double x, double y);

// Nothing selected on the board any more: its outlines back to normal. A
// click that cannot move the selected piece, and a dragged piece let go
// where it started or off the boards, end here.
void dropSelection(Game& g, BoardId id);

// One click on one board, on square (file, rank) of that board.
GameOutcome マウスダウン(Game& g, BoardId id, MouseButton button, int shift, int file, int rank);

}  // namespace velmora
