#pragma once
#include <vector>

#include "board/board_state.h"

namespace velmora {

struct Move {
    Square from, to;
    bool operator==(const Move&) const = default;
};

// Every move the person's move rules accept for the side of `turnValue` on a
// board: a piece of that side on `from`, the move test passed and the own king not
// attacked afterwards. In from-file, from-rank, to-file, to-rank order.
std::vector<Move> acceptedMoves(RulesState& s, BoardId id, Side turnValue);

// The moves of that side the move test alone accepts: the computer's
// candidates, which may leave its own king attacked.
std::vector<Move> movesByMoveTest(RulesState& s, BoardId id, Side turnValue);

// A fresh program with this position on both boards, white moving first.
void putPosition(RulesState& s, const Board& left, const Board& right);

}  // namespace velmora
