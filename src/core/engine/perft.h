#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/move.h"
#include "engine/position.h"

namespace velmora::engine {

// The number of move sequences of `depth` plies from `p`, both boards and
// both sides alternating. A lost king does not stop the count: the rules keep
// giving moves, and the tree follows them. The last ply is counted from the
// move list without making its moves.
std::uint64_t perft(Position& p, int depth);

struct DivideEntry {
    EngineMove move;
    std::uint64_t nodes = 0;
};

// perft split by the first move, in move-generation order.
std::vector<DivideEntry> divide(Position& p, int depth);
// The same, handing each first move's count on as soon as it is known; the
// count stops when `each` returns false.
void divide(Position& p, int depth, const std::function<bool(const DivideEntry&)>& each);

}  // namespace velmora::engine
