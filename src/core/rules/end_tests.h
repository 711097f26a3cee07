#pragma once
#include <string>

#include "game.h"

namespace velmora {

// ON when some square of the board holds `code`.
int 存在チェック駒(const Board& b, PieceCode code);

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

// The end of a game: the result box, then "続けますか？". Yes sets up a new
// board, No shuts the program down. `winner` is "引分" for a draw.
void 終了(Game& g, const std::string& winner);

}  // namespace velmora
