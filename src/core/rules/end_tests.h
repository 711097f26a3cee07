#pragma once
#include "rules/board_state.h"

namespace velmora {

// ON when some square of the board holds `code`.
int 存在チェック駒(const Board& b, PieceCode code);

// True when `king` is missing from at least one of the two boards: a king
// taken from either board ends the game.
bool kingGoneFromEitherBoard(const RulesState& s, PieceCode king);

// Stalemate judged from the king's own moves only: not in check and every
// neighbouring square attacked. OFF for a square without a king.
int ステールメイトか(const BoardState& bs, int kingFile, int kingRank);

// Is the black king of this board checkmated? Tries the parries on the board
// and leaves the grids describing the last position tried.
int 詰めかCOM(BoardState& bs);

// Is the white king of this board checkmated?
int 詰めかMAN(BoardState& bs);
// After a tentative white move: can some black piece still take the white king?
int 詰めかMAN_COM移動(BoardState& bs);

// Counts the white king's free escape squares and marks them in the escape map.
int 調査_白キング逃道(BoardState& bs);

}  // namespace velmora
