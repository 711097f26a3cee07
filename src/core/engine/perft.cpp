#include "engine/perft.h"

#include <memory>

#include "engine/movegen.h"

namespace velmora::engine {
namespace {

// One move list per ply, on the heap: a worker thread's stack stays small.
struct PerftStack {
    std::vector<MoveList> lists;
    explicit PerftStack(int depth) : lists(static_cast<size_t>(depth > 0 ? depth : 1)) {}
};

std::uint64_t count(Position& p, int depth, PerftStack& stack) {
    MoveList& list = stack.lists[static_cast<size_t>(depth - 1)];
    generateMoves(p, list);
    if (depth == 1) return static_cast<std::uint64_t>(list.size);
    std::uint64_t nodes = 0;
    for (const EngineMove m : list) {
        Undo undo;
        p.make(m, undo);
        nodes += count(p, depth - 1, stack);
        p.unmake(m, undo);
    }
    return nodes;
}

}  // namespace

std::uint64_t perft(Position& p, int depth) {
    if (depth <= 0) return 1;
    auto stack = std::make_unique<PerftStack>(depth);
    return count(p, depth, *stack);
}

std::vector<DivideEntry> divide(Position& p, int depth) {
    std::vector<DivideEntry> entries;
    divide(p, depth, [&entries](const DivideEntry& e) {
        entries.push_back(e);
        return true;
    });
    return entries;
}

void divide(Position& p, int depth, const std::function<bool(const DivideEntry&)>& each) {
    if (depth <= 0) return;
    auto root = std::make_unique<MoveList>();
    generateMoves(p, *root);
    auto stack = std::make_unique<PerftStack>(depth);
    for (const EngineMove m : *root) {
        std::uint64_t nodes = 1;
        if (depth > 1) {
            Undo undo;
            p.make(m, undo);
            nodes = count(p, depth - 1, *stack);
            p.unmake(m, undo);
        }
        if (!each({m, nodes})) return;
    }
}

}  // namespace velmora::engine
