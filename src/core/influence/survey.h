#pragma once
#include "game.h"

namespace velmora {

// Rebuilds a board's influence grids and king squares from its pieces.
void 勢力調査(BoardState& bs);
inline void 勢力調査(Game& game, BoardId id) { 勢力調査(game.side(id)); }

}  // namespace velmora
