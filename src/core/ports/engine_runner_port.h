#pragma once
#include <memory>
#include <optional>

#include "engine/search.h"

namespace velmora {

// Runs the search engine for the computer's move. The window runs it off
// its own thread so that it keeps painting while the computer thinks; a
// headless game simply calls it. One runner keeps one table for all the
// searches of its game, so each move's search starts from what the last
// one learnt. The window may stop a search because the person gave a command
// that changes or ends the game; the search then answers nothing, and its
// move is not to be played.
class EngineRunner {
public:
    // Entries of the table the runner keeps: a second's search fills about this many.
    static constexpr int TABLE_LOG2 = 20;

    virtual ~EngineRunner() = default;
    // The engine's choice; none when the search was stopped for a command.
    virtual std::optional<engine::SearchResult> think(const engine::Position& position,
                                                      const engine::SearchLimits& limits) {
        return engine::bestMove(position, withTable(limits));
    }

protected:
    // The limits with the runner's own table, made at the first search.
    engine::SearchLimits withTable(engine::SearchLimits limits) {
        if (!limits.table) {
            if (!table_) table_ = std::make_unique<engine::TranspositionTable>(TABLE_LOG2);
            limits.table = table_.get();
        }
        return limits;
    }

private:
    std::unique_ptr<engine::TranspositionTable> table_;
};

}  // namespace velmora
