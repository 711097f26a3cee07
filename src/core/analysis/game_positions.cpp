#include "analysis/game_positions.h"

#include <algorithm>

namespace velmora {

std::vector<std::pair<Board, Board>> snapshotsOf(const Game& g, int last) {
    std::vector<std::pair<Board, Board>> snapshots;
    for (int n = 0; n <= std::clamp(last, 0, MAX_MOVES); ++n) snapshots.emplace_back(g.history.left[n], g.history.right[n]);
    return snapshots;
}

ReviewGame reviewGameOf(const Game& g) { return reviewGameOf(snapshotsOf(g, g.state.lastMoveNumber), ANALYSIS_KIND); }

ShownPosition shownPosition(const Game& g) {
    const int n = std::clamp(g.state.moveNumber, 0, MAX_MOVES);
    // The side to move follows from the moves up to here, or from the first
    // move when the start is shown.
    const ReviewGame game = reviewGameOf(snapshotsOf(g, std::max(n, std::min(1, g.state.lastMoveNumber))), ANALYSIS_KIND);
    return {n == 0 ? game.positions.front() : game.positions.back(), game.first};
}

}  // namespace velmora
