#pragma once
#include "game.h"

namespace velmora {

// The 局面 commands and 戻 進: back to the start, turn the boards round, one
// snapshot back, one snapshot forward. Replay copies snapshots, it makes no moves.
void CANCEL_Click(Game& g);
void REVERSE_Click(Game& g);
void REPLAY_Click(Game& g);
void AFTER_Click(Game& g);

}  // namespace velmora
