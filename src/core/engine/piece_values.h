#pragma once
#include "engine/score.h"

namespace velmora::engine {

// Piece values in hundredths of a pawn, by the absolute piece code. The king
// has none: losing it ends the game, which the search scores itself.
constexpr Score PIECE_VALUE[7] = {0, 100, 320, 330, 500, 900, 0};

constexpr Score valueOf(int code) { return PIECE_VALUE[code < 0 ? -code : code]; }

}  // namespace velmora::engine
