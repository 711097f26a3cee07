#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/move.h"
#include "engine/score.h"

namespace velmora::engine {

enum class Bound : std::uint8_t { NONE, EXACT, LOWER, UPPER };

// Sixteen bytes: the bound and the age of the search that stored it share a byte.
struct TableEntry {
    std::uint64_t key = 0;
    std::uint32_t move = 0;
    std::int16_t score = 0;  // a Score as scoreToTable keeps it
    std::int8_t depth = 0;
    std::uint8_t boundAndAge = 0;

    Bound bound() const { return static_cast<Bound>(boundAndAge & 3); }
    std::uint8_t age() const { return boundAndAge >> 2; }
};
static_assert(sizeof(TableEntry) == 16);

// A transposition table that may outlive one search: a game's searches share
// it, so what the last move's search learnt about the positions that follow
// is found again. Each bucket keeps two entries: the deepest result (worth
// most, unless a later search has moved on) and the most recent one.
class TranspositionTable {
public:
    static constexpr int BUCKET = 2;

    explicit TranspositionTable(int log2Entries)
        : entries_(std::size_t{1} << log2Entries), mask_((entries_.size() / BUCKET) - 1) {}

    // A new search begins: entries of earlier searches give way first.
    void newSearch() { age_ = (age_ + 1) & 63; }
    void clear() {
        for (TableEntry& e : entries_) e = TableEntry{};
        age_ = 0;
    }
    std::size_t size() const { return entries_.size(); }

    const TableEntry* probe(std::uint64_t key) const {
        const TableEntry* bucket = &entries_[(key & mask_) * BUCKET];
        for (int i = 0; i < BUCKET; ++i) {
            if (bucket[i].key == key && bucket[i].bound() != Bound::NONE) return &bucket[i];
        }
        return nullptr;
    }

    void store(std::uint64_t key, EngineMove move, Score score, int depth, Bound bound) {
        TableEntry* bucket = &entries_[(key & mask_) * BUCKET];
        TableEntry& deep = bucket[0];
        TableEntry& recent = bucket[1];
        TableEntry* slot = nullptr;
        if (deep.key == key && deep.bound() != Bound::NONE) {
            // The same position again: a shallower bound must not replace a
            // deeper result of this search.
            if (deep.depth > depth && bound != Bound::EXACT && deep.age() == age_) return;
            slot = &deep;
        } else if (recent.key == key && recent.bound() != Bound::NONE) {
            slot = &recent;
            // Deep enough to stand in the deep slot: the two trade places.
            if (depth >= deep.depth || deep.age() != age_) {
                std::swap(deep, recent);
                slot = &deep;
            }
        } else if (deep.bound() == Bound::NONE || deep.age() != age_ || depth >= deep.depth) {
            // The deep slot takes a result at least as deep, or one of this
            // search over one of an older search; what it held stays as recent.
            recent = deep;
            slot = &deep;
        } else {
            slot = &recent;
        }
        slot->key = key;
        slot->move = move.raw();
        slot->score = static_cast<std::int16_t>(score);
        slot->depth = static_cast<std::int8_t>(depth);
        slot->boundAndAge = static_cast<std::uint8_t>(static_cast<int>(bound) | (age_ << 2));
    }

private:
    std::vector<TableEntry> entries_;
    std::size_t mask_;
    std::uint8_t age_ = 0;
};

}  // namespace velmora::engine
