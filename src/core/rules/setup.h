#pragma once
#include "board/board_state.h"

namespace velmora {

// The starting position of one board.
void setStartPosition(Board& b);

// Exchanges king and queen of each side on both boards (the mirrored layout).
void キング_クイン入替(RulesState& s);

// Locates both kings of one board.
void 調査_キング座標(RulesState& s, BoardId id);

// Number of pieces of the side opposite to `turnValue` on the board.
int 調査_駒数(const Board& b, Side turnValue, const GameState& st);
inline int 調査_駒数(const RulesState& s, BoardId id, Side turnValue) { return 調査_駒数(s.board(id), turnValue, s.state); }

}  // namespace velmora
