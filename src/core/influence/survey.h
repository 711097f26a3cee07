#pragma once
#include "board/board_state.h"

namespace velmora {

// Rebuilds a board's influence grids and king squares from its pieces.
void 勢力調査(BoardState& bs);
inline void 勢力調査(RulesState& s, BoardId id) { 勢力調査(s.side(id)); }

// The survey's walks along lines (rooks and queens) of the piece of code p
// on (f, r); the sign of p chooses the side.
void 勢力確定下直進(BoardState& bs, int p, int f, int r);
void 勢力確定上直進(BoardState& bs, int p, int f, int r);
void 勢力確定右直進(BoardState& bs, int p, int f, int r);
void 勢力確定左直進(BoardState& bs, int p, int f, int r);

}  // namespace velmora
