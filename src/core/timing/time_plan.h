#pragma once

namespace velmora {

// What the engine sets aside for each move it may still have to make: the
// time a search takes beyond its budget (starting, answering) is about a
// millisecond, and the reserve keeps that from running the clock out in the
// longest game.
constexpr double MOVE_OVERHEAD_MS = 5;

// The search budget of the computer's next move under a clock, from the time
// it has left, the increment and the most moves it may still have to make
// (a game ends at its move limit): a thirtieth of what is left beyond the
// reserve (a share of it once fewer moves remain), most of the increment,
// never more than half of what is left and never more than the level's own
// budget. At least 1 ms.
int plannedMoveMs(double remainingMs, int incrementMs, int movesLeftAtMost, int levelBudgetMs);

}  // namespace velmora
