#pragma once

namespace velmora::engine {

// The engine's scores: hundredths of a pawn, for the side the score belongs
// to (above zero it stands better). The evaluation, the search, its table
// and its result all count in it.
using Score = int;

// The deepest ply the search reaches.
constexpr int MAX_PLY = 64;

// A king taken `ply` plies from the root scores KING_LOSS - ply for the side
// that takes it, and its negation for the side that loses it: the nearer
// fall weighs more.
constexpr Score KING_LOSS = 30000;
constexpr Score kingTakenAt(int ply) { return KING_LOSS - ply; }
constexpr Score kingLostAt(int ply) { return -kingTakenAt(ply); }

// Beyond this bound, either way, a score is a king's fall within the
// search's reach; the positions' own values stay inside it.
constexpr Score KING_FALL_BOUND = KING_LOSS - MAX_PLY;

// A king taken or lost within the search's reach.
constexpr bool isKingFall(Score s) { return s > KING_FALL_BOUND || s < -KING_FALL_BOUND; }
// A king's fall that the side the score belongs to brings about: it takes
// an enemy king.
constexpr bool isKingTaken(Score s) { return s > KING_FALL_BOUND; }

// A score in pawns, as the computer's moves and velmora-cli give it.
constexpr double inPawns(Score s) { return s / 100.0; }

}  // namespace velmora::engine
