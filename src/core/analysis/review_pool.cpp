#include "analysis/review_pool.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace velmora {

engine::SearchLimits reviewLimits(int budgetMs, engine::GameKind kind) {
    engine::SearchLimits limits;
    limits.timeMs = 0;
    limits.maxNodes = static_cast<std::uint64_t>(std::max(budgetMs, 1)) * REVIEW_NODES_PER_MS;
    limits.kind = kind;
    // Its own table per position: a table of 2^18 entries is cleared in
    // about a millisecond and holds what a half-second search stores.
    limits.tableLog2 = 18;
    return limits;
}

ReviewPool::ReviewPool(const ReviewGame& game, engine::SearchLimits limits, int jobs, Done done)
    : positions_(game.positions), limits_(std::move(limits)), done_(std::move(done)) {
    limits_.stop = &stop_;
    const int count = std::clamp(jobs, 1, std::max(1, static_cast<int>(positions_.size())));
    for (int i = 0; i < count; ++i) workers_.emplace_back([this] { work(); });
}

ReviewPool::~ReviewPool() {
    cancel();
    wait();
}

void ReviewPool::cancel() { stop_ = true; }

void ReviewPool::wait() {
    for (std::thread& t : workers_) {
        if (t.joinable()) t.join();
    }
}

int ReviewPool::defaultJobs() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

void ReviewPool::work() {
    for (;;) {
        const int i = next_.fetch_add(1);
        if (stop_ || i >= static_cast<int>(positions_.size())) return;
        PositionView view = viewOf(positions_[static_cast<size_t>(i)], limits_);
        // A search the cancel cut short is no view of the position.
        if (stop_) return;
        done_(i, view);
    }
}

std::vector<PositionView> reviewGame(const ReviewGame& game, engine::SearchLimits limits, int jobs,
                                     const std::function<void(int index, int finished)>& progress) {
    std::vector<PositionView> views(game.positions.size());
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<int> arrived;  // indices finished, not yet reported
    int finished = 0;
    ReviewPool pool(game, std::move(limits), jobs, [&](int index, const PositionView& view) {
        std::lock_guard lock(mutex);
        views[static_cast<size_t>(index)] = view;
        arrived.push_back(index);
        changed.notify_one();
    });
    std::unique_lock lock(mutex);
    while (finished < static_cast<int>(views.size())) {
        changed.wait(lock, [&] { return !arrived.empty(); });
        std::vector<int> batch;
        batch.swap(arrived);
        lock.unlock();
        for (int index : batch) {
            ++finished;
            if (progress) progress(index, finished);
        }
        lock.lock();
    }
    lock.unlock();
    pool.wait();
    return views;
}

}  // namespace velmora
