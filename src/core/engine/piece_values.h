#pragma once

namespace velmora::engine {

// Piece values in hundredths of a pawn, by the absolute piece code. The king
// has none: losing it ends the game, which the search scores itself.
constexpr int PIECE_VALUE[7] = {0, 100, 320, 330, 500, 900, 0};

constexpr int valueOf(int code) { return PIECE_VALUE[code < 0 ? -code : code]; }

}  // namespace velmora::engine
