#pragma once
#include <cstdint>

#include "levels.h"
#include "engine/score.h"
#include "game.h"

namespace velmora {

// The engine levels' rungs: the lower ones search fewer nodes, overlook
// more and choose among the better moves by chance, so that they miss
// tactics and vary from game to game; the top one is the full engine at a
// little under a second a move.

// What limits one rung's search.
struct LevelStrength {
    int timeMs = 0;              // its budget a move; 0: none, the nodes and depth end it
    int maxDepth = 0;            // the deepest iteration
    std::uint64_t maxNodes = 0;  // 0: no limit but the time
    engine::Score rootSpread = 0;  // see SearchLimits
    // The share of moves, in percent, chosen by an oversight: a search only
    // `oversightDepth` moves deep, as when a player hurries. One move deep,
    // it follows no capture past the move but a king's, so a piece left
    // hanging goes unseen; deeper, a threat beyond the horizon does. The
    // rest are searched as above.
    int oversightPercent = 0;
    int oversightDepth = 1;
};

// The rung of an engine level (FIRST_ENGINE_LEVEL..MAX_LEVEL).
LevelStrength strengthOf(int level);

// Sets the computer's strength 1..MAX_LEVEL with its check mark; any other value clears
// the marks and keeps the level. Draws the level in a game against the computer.
void レベル_設定(Game& g, int level);

// A level menu command: erases the level display, then sets the level.
void LEVEL_Click(Game& g, int level);

}  // namespace velmora
