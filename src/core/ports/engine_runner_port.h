#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "engine/search.h"

namespace velmora {

// One search, as its starter holds it: it can be cancelled, and asked
// afterwards whether it was. The stop flag belongs to this search alone, so
// a later search never inherits a stop meant for an earlier one.
class SearchTask {
public:
    void cancel() {
        cancelled_ = true;
        stop_ = true;
    }
    bool cancelled() const { return cancelled_; }
    // The answer has been given (the runner sets it just before).
    bool answered() const { return answered_; }
    void setAnswered() { answered_ = true; }
    const std::atomic<bool>& stopFlag() const { return stop_; }

private:
    std::atomic<bool> stop_{false};
    bool cancelled_ = false;
    bool answered_ = false;
};

// The engine's answer: none when the search was stopped before it chose.
using SearchAnswer = std::function<void(std::optional<engine::SearchResult>)>;

// Runs the search engine for the computer's move, a hint or a draw offer.
// The window runs it on a worker thread and posts the answer back to its
// event loop; a headless game searches in the call and answers at once. One
// runner keeps one table for all the searches of its game, so each move's
// search starts from what the last one learnt.
class EngineRunner {
public:
    // Entries of the table the runner keeps: a second's search fills about this many.
    static constexpr int TABLE_LOG2 = 20;

    virtual ~EngineRunner() = default;

    // Starts a search; `answer` is called once with its result, or never
    // when the task is cancelled first.
    virtual std::shared_ptr<SearchTask> start(const engine::Position& position, const engine::SearchLimits& limits,
                                              SearchAnswer answer) {
        auto task = std::make_shared<SearchTask>();
        std::optional<engine::SearchResult> r = think(position, limits);
        task->setAnswered();
        if (!task->cancelled()) answer(std::move(r));
        return task;
    }

    // The engine's choice, searched in the call; none when it was stopped.
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
