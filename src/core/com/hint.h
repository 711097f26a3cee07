#pragma once
#include "game.h"

namespace velmora {

// How long the search engine thinks about a hint.
constexpr int HINT_TIME_MS = 500;

// 局面 ▸ ヒント: outlines the search engine's move for the side to move, its
// from and to squares, in the guidance colour. Outside a game it is refused
// as a click on the board is.
void HINT_Click(Game& g);

}  // namespace velmora
