#pragma once
#include "board/board_state.h"

namespace velmora {

// One way to castle on the home rank: where the king stands and goes, the
// rook's corner and where the rook goes, the files between that must be empty.
// Kingside before queenside for each king file; the exchanged layout's king
// starts on file 4.
struct CastlingRow {
    int kingFrom;
    int kingTo;
    int rookFrom;
    int rookTo;
    int emptyFrom;
    int emptyTo;
};
inline constexpr CastlingRow CASTLING[4] = {
    {5, 7, 8, 6, 6, 7},
    {5, 3, 1, 4, 2, 4},
    {4, 6, 8, 5, 5, 7},
    {4, 2, 1, 3, 2, 3},
};

// May `piece` go from `from` to `to` on this board? A king on its home
// square may run the board's survey (castling reads the attack maps).
bool 移動チェック(BoardState& bs, Square from, Square to, PieceCode piece);
inline bool 移動チェック(RulesState& s, BoardId id, Square from, Square to, PieceCode piece) {
    return 移動チェック(s.side(id), from, to, piece);
}

// True when the move runs along a file or rank (a diagonal) over empty squares only.
bool 移動チェック_ルーク(const Board& b, Square from, Square to);
bool 移動チェック_ビショ(const Board& b, Square from, Square to);

// True when the mover's king is not attacked after the plain move. The board is
// restored; the grids describe the tried position.
bool 移動後チェック_キング(BoardState& bs, Square from, Square to, Side turnValue, const GameState& st);
inline bool 移動後チェック_キング(RulesState& s, BoardId id, Square from, Square to, Side turnValue) {
    return 移動後チェック_キング(s.side(id), from, to, turnValue, s.state);
}

}  // namespace velmora
