#pragma once
#include "board/board_state.h"

namespace velmora {

// True when some square of the board holds `code`.
bool 存在チェック駒(const Board& b, PieceCode code);

// True when `king` is missing from at least one of the two boards: a king
// taken from either board ends the game.
bool kingGoneFromEitherBoard(const RulesState& s, PieceCode king);

// Stalemate judged from the king's own moves only: not in check and every
// neighbouring square attacked. False for a square without a king.
bool ステールメイトか(const BoardState& bs, Square kingSquare);

// Is the black king of this board checkmated? Tries the parries on the board
// and leaves the grids describing the last position tried.
bool 詰めかCOM(BoardState& bs);

// Is the white king of this board checkmated?
bool 詰めかMAN(BoardState& bs);
// After a tentative white move: can some black piece still take the white king?
bool 詰めかMAN_COM移動(BoardState& bs);

// Counts the white king's free escape squares and marks them in the escape map.
int 調査_白キング逃道(BoardState& bs);

}  // namespace velmora
