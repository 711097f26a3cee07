#pragma once
#include "com/com_state.h"
#include "game.h"

namespace velmora {

// Whole-board scan of a candidate position: weak squares around the black king,
// attacked and badly defended black pieces, white pieces newly attacked near
// the black king, and a fork by the moved piece.
CandidateScore 盤評価_COM危険座標(Game& g, BoardId id, PieceCode piece, Square to);

// Squares no routine marks yet; the bishop caution reads this grid.
const IntGrid& bishopCautionMarks();

// For a move to a square white does not attack: `piece` when, at the first
// marked square a white bishop could reach from the destination, some white
// bishop of the board can move there; 0 otherwise.
CandidateScore 盤評価_白ビショ注意_COM(BoardState& bs, Square to, PieceCode piece, const IntGrid& marks);

}  // namespace velmora
