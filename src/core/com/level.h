#pragma once
#include "game.h"

namespace velmora {

// Levels 1 to 3 look one move ahead on both boards; level 4 is the search
// engine, which thinks for a little under a second a move.
constexpr int ENGINE_LEVEL = 4;
constexpr int MAX_LEVEL = ENGINE_LEVEL;

// Sets the computer's strength 1..4 with its check mark; any other value clears
// the marks and keeps the level. Draws the level in a game against the computer.
void レベル_設定(Game& g, int level);

// A level menu command: erases the level display, then sets the level.
void LEVEL_Click(Game& g, int level);

}  // namespace velmora
