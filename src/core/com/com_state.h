#pragma once
#include <cstdint>

#include "rules/board.h"

namespace velmora {

// One board's best move of the computer's search.
struct BestMove {
    double score = -99999;
    Square from;
    Square to;
    PieceCode placedPiece = EMPTY;
    PieceCode movingPiece = EMPTY;

    bool found() const { return from.file != 0; }
};

// The computer's per-board working copies, taken before the search so the
// evaluation can compare a candidate with the position at the start of the turn.
struct ComBoardWork {
    Board boardBefore;
    IntGrid whiteAttacksBefore;
    IntGrid blackAttacksBefore;
    Grid<Square> blackThreatFromBefore;
    int kingDistance = 0;
    int whiteKingEscapes = 0;
    IntGrid pinnedWhite;  // filled for the left board only
    BestMove best;
};

// The full engine's thinking time a move (level 9): a little under a
// second, so the move is on the board within one.
constexpr int LEVEL9_TIME_MS = 950;

struct ComState {
    ComBoardWork boards[2];
    // The engine's budget a move in place of its level's own (0: the level's).
    int engineTimeMs = 0;
    // Where the lower levels' chance choices come from: each search draws the
    // next seed, so that no two games go alike unless the seed is set.
    std::uint64_t seed = 0;
    std::uint64_t searches = 0;
    std::uint64_t nextSeed() {
        // splitmix64: a well-mixed value from the seed and the count.
        std::uint64_t x = seed + 0x9e3779b97f4a7c15ULL * ++searches;
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
        return x ^ (x >> 31);
    }
    PieceCode searchPiece = EMPTY;
    int blackPieceCount = 0;
    bool blackPinned = false;
    // The computer's search was stopped for a command before it moved: the
    // game stands paused with the computer to move until it is taken up again.
    bool turnStopped = false;

    ComBoardWork& of(BoardId id) { return boards[boardIndex(id)]; }
    const ComBoardWork& of(BoardId id) const { return boards[boardIndex(id)]; }
};

}  // namespace velmora
