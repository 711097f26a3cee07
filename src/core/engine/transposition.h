#pragma once
#include <cstdint>
#include <vector>

#include "engine/move.h"

namespace velmora::engine {

enum class Bound : std::uint8_t { NONE, EXACT, LOWER, UPPER };

struct TableEntry {
    std::uint64_t key = 0;
    std::uint32_t move = 0;
    std::int16_t score = 0;
    std::int8_t depth = 0;
    Bound bound = Bound::NONE;
};

// A transposition table owned by one search: always-replace buckets of one
// entry, indexed by the low bits of the key.
class TranspositionTable {
public:
    explicit TranspositionTable(int log2Entries) : entries_(std::size_t{1} << log2Entries), mask_(entries_.size() - 1) {}

    const TableEntry* probe(std::uint64_t key) const {
        const TableEntry& e = entries_[key & mask_];
        return e.key == key && e.bound != Bound::NONE ? &e : nullptr;
    }

    void store(std::uint64_t key, EngineMove move, int score, int depth, Bound bound) {
        TableEntry& e = entries_[key & mask_];
        // Keep a deeper result of the same position; anything else is replaced.
        if (e.key == key && e.depth > depth && bound != Bound::EXACT) return;
        e.key = key;
        e.move = move.raw();
        e.score = static_cast<std::int16_t>(score);
        e.depth = static_cast<std::int8_t>(depth);
        e.bound = bound;
    }

private:
    std::vector<TableEntry> entries_;
    std::size_t mask_;
};

}  // namespace velmora::engine
