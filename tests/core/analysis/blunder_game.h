#pragma once
// A short game with one blunder of each player's across the two boards, for
// the review's tests.
#include <utility>
#include <vector>

#include "board/board.h"

namespace velmora::testing {

// White leaves its queen where a rook of the other board lands, black takes
// it, white lets the chance to take the rook back go by; then black walks
// its king onto a square a white knight of the other board reaches, and
// white takes the king.
std::vector<std::pair<Board, Board>> blunderGame();

// The start and `plies` moves after it, each the first move generated:
// positions whose searches run to their budget.
std::vector<std::pair<Board, Board>> openingGame(int plies);

}  // namespace velmora::testing
