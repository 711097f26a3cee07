#pragma once
#include "com/com_state.h"
#include "game.h"

namespace velmora {

// Scores a candidate black move already made on board `id`, whose grids the
// search has just rebuilt. `piece` is the code now on the destination.
CandidateScore 盤評価(Game& g, BoardId id, PieceCode captured, PieceCode piece, Square from, Square to);

}  // namespace velmora
