#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "engine/position.h"
#include "engine/search.h"
#include "engine/transposition.h"

namespace velmora {

// Follows one position at a time with the full engine, deepening until it
// is stopped or has nothing left to find. What it finds goes to `report` on
// its own thread, with the number of the position it is about: a report
// about a position no longer followed is the caller's to drop.
class Analyser {
public:
    using Report = std::function<void(std::uint64_t position, const engine::SearchProgress& progress)>;

    explicit Analyser(Report report, int progressMs = 250);
    Analyser(const Analyser&) = delete;
    Analyser& operator=(const Analyser&) = delete;
    ~Analyser();

    // Stops what it followed and follows this position; returns its number.
    std::uint64_t follow(const engine::Position& position, engine::GameKind kind);
    // Ends the search under way; returns once it has ended.
    void stop();
    // The number of the position followed now, 0 when none.
    std::uint64_t following() const { return following_; }

private:
    Report report_;
    int progressMs_;
    // One table for every position followed: stepping back and forth finds
    // what the last searches learnt.
    std::unique_ptr<engine::TranspositionTable> table_;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> following_{0};
    std::uint64_t counter_ = 0;
    std::thread worker_;
};

}  // namespace velmora
