#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "analysis/review.h"

namespace velmora {

// How much the review searches each position. The budget is counted in
// nodes, not in time, so that the same budget gives the same marks on any
// machine, under any load and with any number of jobs; it is chosen as a
// time, at the full engine's speed on the machine the game was made on.
constexpr std::uint64_t REVIEW_NODES_PER_MS = 1200;
constexpr int DEFAULT_REVIEW_MS = 500;
engine::SearchLimits reviewLimits(int budgetMs, engine::GameKind kind);

// Looks at every position of a game on worker threads, one position a
// worker at a time, each worker with its own search. Each view is handed
// to `done` on the worker's thread as soon as it is found, so in any order;
// a cancelled review hands on nothing more.
class ReviewPool {
public:
    using Done = std::function<void(int index, const PositionView& view)>;

    ReviewPool(const ReviewGame& game, engine::SearchLimits limits, int jobs, Done done);
    ReviewPool(const ReviewPool&) = delete;
    ReviewPool& operator=(const ReviewPool&) = delete;
    // Cancels what is left and waits for the workers.
    ~ReviewPool();

    // Asks the workers to stop: the searches under way end within a
    // millisecond or two and nothing more is handed on. Returns at once.
    void cancel();
    // Returns once every worker has finished.
    void wait();

    // Workers to use by default: one for each core.
    static int defaultJobs();

private:
    void work();

    std::vector<ReviewPosition> positions_;
    engine::SearchLimits limits_;
    Done done_;
    std::atomic<int> next_{0};
    std::atomic<bool> stop_{false};
    std::vector<std::thread> workers_;
};

// The whole review in the call, on `jobs` workers: the view of every
// position in order. `progress` hears of each finished position (on the
// caller's thread, in the order they finish).
std::vector<PositionView> reviewGame(const ReviewGame& game, engine::SearchLimits limits, int jobs,
                                     const std::function<void(int index, int finished)>& progress = {});

}  // namespace velmora
