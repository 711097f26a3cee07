#pragma once
#include "game.h"

namespace velmora {

// May `piece` go from (ff, fr) to (tf, tr) on this board? ON or OFF. A king on
// its home square may run the board's survey (castling reads the attack maps).
int 移動チェック(BoardState& bs, int ff, int fr, int tf, int tr, PieceCode piece);
inline int 移動チェック(Game& g, BoardId id, int ff, int fr, int tf, int tr, PieceCode piece) {
    return 移動チェック(g.side(id), ff, fr, tf, tr, piece);
}

// ON when the move runs along a file or rank (a diagonal) over empty squares only.
int 移動チェック_ルーク(const Board& b, int ff, int fr, int tf, int tr);
int 移動チェック_ビショ(const Board& b, int ff, int fr, int tf, int tr);

// ON when the mover's king is not attacked after the plain move. The board is
// restored; the grids describe the tried position.
int 移動後チェック_キング(BoardState& bs, int ff, int fr, int tf, int tr, int turnValue, const GameState& st);
inline int 移動後チェック_キング(Game& g, BoardId id, int ff, int fr, int tf, int tr, int turnValue) {
    return 移動後チェック_キング(g.side(id), ff, fr, tf, tr, turnValue, g.state);
}

}  // namespace velmora
