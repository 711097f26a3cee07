#pragma once
#include "game.h"

namespace velmora {

// How many squares can `piece` move to from `from` on this board that the
// other side does not attack? The piece need not stand there.
int 調査_移動可場所数(BoardState& bs, Square from, PieceCode piece);

// Minus one for every black bishop, rook, queen or king around the square of
// the left board.
int 調査_周辺状況(const Board& left, Square square);

// Is the white piece on this square of the left board backed from behind, along
// its file, by a white rook that could move onto it?
bool 調査_自守駒MAN_直進駒(BoardState& left, Square square);

// Marks the left board's white pieces pinned to their king by a black bishop or
// rook, and whether some black piece is pinned likewise.
void 調査_移動不可駒(Game& g);

}  // namespace velmora
