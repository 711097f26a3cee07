#pragma once
#include "board/board_state.h"

namespace velmora {

// Follows a move as it is carried out, so the screen can show each step in turn.
class MoveWatcher {
public:
    // A square of a board has changed.
    virtual void squareChanged(BoardId id, Square square) = 0;
    // The two-board capture is about to empty this square of the other board.
    virtual void aboutToTake(BoardId id, Square square) = 0;

protected:
    ~MoveWatcher() = default;
};

// Carries out a judged move: moves the rook along when the king castles, keeps
// the white king's square, and empties the same square of the other board
// unless the mover's own side holds it. The Game's 駒移動 also draws it.
void 駒移動(RulesState& s, BoardId id, Square from, Square to, PieceCode piece, MoveWatcher& watcher);

// True when the move is an en passant capture; the captured pawn stands on
// the destination's file, on the rank moved from.
bool アンパサンド_移動前(const Board& b, Square from, Square to, PieceCode piece);

// False when the move takes a pawn to its last rank.
bool 移動後チェック_成り(int toRank, PieceCode piece);
// True when the person must choose the piece a pawn becomes.
bool 調査_駒成人選(Square from, Square to, PieceCode piece);
// True when the computer's pawn promotes; comPromotionPiece then holds the queen.
bool 調査_駒成(GameState& st, Square from, Square to, PieceCode piece);

}  // namespace velmora
