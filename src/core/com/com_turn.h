#pragma once
#include "game.h"

namespace velmora {

// One whole turn of the computer (black): search both boards, play the better
// board's best move with its drawing, sound and pauses, store it, then end the
// game, announce check or mate, and hand the turn to the person. Returns
// true when the turn ended the game.
bool com_ban(Game& g);

}  // namespace velmora
