#pragma once
#include "flow/shutdown.h"
#include "game.h"

namespace velmora {

constexpr int BUTTON_LEFT = 1;
constexpr int BUTTON_RIGHT = 2;
constexpr int BUTTON_OTHER = 4;

// A mouse-down in the window's client area, at (x, y) in twips. Returns how
// the click left the game.
GameOutcome Form_MouseDown(Game& g, int button, int shift, double x, double y);

// One click on one board, on square (file, rank) of that board.
GameOutcome マウスダウン(Game& g, BoardId id, int button, int shift, int file, int rank);

}  // namespace velmora
