#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

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

// A runner that searches on a worker thread and hands each answer to the
// game as one of its events. What happens around the worker is decided here,
// apart from any thread: a new search first stops those still running (the
// table serves one search at a time), each search stops on its own task's
// flag alone, and a cancelled task's answer is dropped.
class WorkerEngineRunner : public EngineRunner {
public:
    // The search's result, on the game's thread, once its worker is done.
    using Finished = std::function<void(const engine::SearchResult&)>;

    std::shared_ptr<SearchTask> start(const engine::Position& position, const engine::SearchLimits& limits,
                                      SearchAnswer answer) final {
        // The newest search is the one wanted: an older one (cancelled
        // already, or given up now) ends within milliseconds.
        stopAll();
        auto task = std::make_shared<SearchTask>();
        engine::SearchLimits own = withTable(limits);
        own.stop = &task->stopFlag();
        running_.push_back(task);
        launch(task, position, own, [this, task, answer = std::move(answer)](const engine::SearchResult& result) {
            std::erase(running_, task);
            thinkingChanged(false);
            task->setAnswered();
            if (!task->cancelled()) deliver([&answer, &result] { answer(result); });
        });
        thinkingChanged(true);
        return task;
    }

    // A search runs on a worker.
    bool thinking() const { return !running_.empty(); }

protected:
    // Runs the search on a worker; `finished` is called on the game's thread
    // once the worker is done, whether the task was cancelled or not.
    virtual void launch(const std::shared_ptr<const SearchTask>& task, const engine::Position& position,
                        const engine::SearchLimits& limits, Finished finished) = 0;
    // Returns once every worker launched has finished its search (their
    // `finished` may still be on its way).
    virtual void waitForWorkers() = 0;
    // Hands the answer to the game as one of its events.
    virtual void deliver(const std::function<void()>& event) { event(); }
    // A search has started (true), or one has ended, cancelled or not (false).
    virtual void thinkingChanged(bool) {}

    // Cancels the searches under way and waits until their workers are done.
    void stopAll() {
        for (const std::shared_ptr<SearchTask>& task : running_) task->cancel();
        waitForWorkers();
    }

private:
    std::vector<std::shared_ptr<SearchTask>> running_;
};

}  // namespace velmora
