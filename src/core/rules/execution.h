#pragma once
#include "game.h"

namespace velmora {

// Carries out a judged move: moves the rook along when the king castles, keeps
// the white king's square, and removes an enemy piece (or blinks an empty
// square) on the same square of the other board.
void 駒移動(Game& g, BoardId id, int ff, int fr, int tf, int tr, PieceCode piece);

// ON when the move is an en passant capture; the captured pawn stands on (tf, fr).
int アンパサンド_移動前(const Board& b, int ff, int fr, int tf, int tr, PieceCode piece);

// OFF when the move takes a pawn to its last rank.
int 移動後チェック_成り(int toRank, PieceCode piece);
// ON when the person must choose the piece a pawn becomes.
int 調査_駒成人選(int ff, int fr, int tf, int tr, PieceCode piece);
// ON when the computer's pawn promotes; comPromotionPiece then holds the queen.
int 調査_駒成(GameState& st, int ff, int fr, int tf, int tr, PieceCode piece);

}  // namespace velmora
