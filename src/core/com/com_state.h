#pragma once
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

// The search engine's thinking time a move at level 4: a little under a
// second, so the move is on the board within one.
constexpr int LEVEL4_TIME_MS = 950;

struct ComState {
    ComBoardWork boards[2];
    int engineTimeMs = LEVEL4_TIME_MS;
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
