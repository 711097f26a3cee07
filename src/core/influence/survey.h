#pragma once
#include "rules/board_state.h"

namespace velmora {

// Rebuilds a board's influence grids and king squares from its pieces.
void 勢力調査(BoardState& bs);
inline void 勢力調査(RulesState& s, BoardId id) { 勢力調査(s.side(id)); }

}  // namespace velmora
