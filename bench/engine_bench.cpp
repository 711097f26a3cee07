// The engine's speed: two-board perft from the starting position (leaf
// positions per second, the last ply counted from the move list) and the
// search's nodes per second on positions from real play.
#include <benchmark/benchmark.h>

#include "corpus.h"
#include "engine/perft.h"
#include "engine/position.h"
#include "engine/search.h"
#include "rules/setup.h"

using namespace velmora;

namespace {

engine::Position startPosition() {
    Board b;
    setStartPosition(b);
    return engine::positionFromBoards(b, b, engine::WHITE);
}

void BM_EnginePerft(benchmark::State& state) {
    engine::Position p = startPosition();
    std::uint64_t leaves = 0;
    for (auto _ : state) leaves += engine::perft(p, static_cast<int>(state.range(0)));
    state.counters["leaves"] = benchmark::Counter(static_cast<double>(leaves), benchmark::Counter::kAvgIterations);
    state.counters["leaves_per_s"] = benchmark::Counter(static_cast<double>(leaves), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EnginePerft)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// A fixed-depth search on every tenth position of the golden record, each side
// to move as the record alternates.
void BM_EngineSearch(benchmark::State& state) {
    const RecordFile& record = bench::corpus();
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        for (size_t n = 0; n < record.snapshots.size(); n += 10) {
            const SnapshotPair& s = record.snapshots[n];
            const engine::Position p = engine::positionFromBoards(s.left, s.right, n % 2 == 0 ? engine::WHITE : engine::BLACK);
            engine::SearchLimits limits;
            limits.timeMs = 60'000;
            limits.maxDepth = static_cast<int>(state.range(0));
            const engine::SearchResult r = engine::bestMove(p, limits);
            nodes += r.nodes;
        }
    }
    state.counters["nodes"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
    state.counters["nodes_per_s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EngineSearch)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();

// Nodes and time to complete a fixed depth from the starting position.
void BM_EngineSearchStart(benchmark::State& state) {
    const engine::Position p = startPosition();
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        engine::SearchLimits limits;
        limits.timeMs = 600'000;
        limits.maxDepth = static_cast<int>(state.range(0));
        nodes += engine::bestMove(p, limits).nodes;
    }
    state.counters["nodes"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
    state.counters["nodes_per_s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EngineSearchStart)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();

// The search on the starting position with a time budget, as a game would call it.
void BM_EngineSearchBudget(benchmark::State& state) {
    const engine::Position p = startPosition();
    std::uint64_t nodes = 0;
    int depth = 0;
    for (auto _ : state) {
        const engine::SearchResult r = engine::bestMove(p, static_cast<int>(state.range(0)));
        nodes += r.nodes;
        depth = r.depth;
    }
    state.counters["depth"] = depth;
    state.counters["nodes_per_s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EngineSearchBudget)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
