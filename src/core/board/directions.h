#pragma once

namespace velmora {

// One step on a board: the change of file and of rank.
struct Step {
    int df;
    int dr;
};

// The steps of the knight, the king, and the directions the rook and the
// bishop (the queen: both) slide in. The order is the order in which the
// search engine generates moves, which decides among equal moves.
inline constexpr Step KNIGHT_STEPS[8] = {{1, 2}, {-1, 2}, {2, 1}, {-2, 1}, {-1, -2}, {1, -2}, {-2, -1}, {2, -1}};
inline constexpr Step KING_STEPS[8] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
inline constexpr Step STRAIGHT_STEPS[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
inline constexpr Step DIAGONAL_STEPS[4] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};

}  // namespace velmora
