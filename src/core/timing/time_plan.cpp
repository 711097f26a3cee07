#include "timing/time_plan.h"

#include <algorithm>

namespace velmora {

int plannedMoveMs(double remainingMs, int incrementMs, int movesLeftAtMost, int levelBudgetMs) {
    const int movesLeft = std::max(1, movesLeftAtMost);
    // A game is expected to last about this many more moves of the engine's
    // while that many are possible.
    constexpr int EXPECTED_MOVES = 30;
    // What lies beyond the reserve is spent; within it every move gets the
    // least budget, so the reserve lasts to the move limit.
    const double usable = std::max(0.0, remainingMs - MOVE_OVERHEAD_MS * movesLeft);
    const double share = usable / std::min(EXPECTED_MOVES, movesLeft) + incrementMs * 0.75;
    const double planned = std::min({share, remainingMs / 2, static_cast<double>(levelBudgetMs)});
    return std::max(1, static_cast<int>(planned));
}

}  // namespace velmora
