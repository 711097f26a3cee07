#pragma once
#include "game.h"

namespace velmora {

// Sets the computer's strength 1..3 with its check mark; any other value clears
// the three marks and keeps the level. Draws the level in a game against the computer.
void レベル_設定(Game& g, int level);

// A level menu command: erases the level display, then sets the level.
void LEVEL_Click(Game& g, int level);

}  // namespace velmora
