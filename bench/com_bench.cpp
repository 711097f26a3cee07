// The computer's complete decision (both boards surveyed, searched and
// compared, level 3) on every position of the corpus: positions from real
// play and from self-play against a random mover. Reports the median and the
// slowest position.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "com/one_ply_search.h"
#include "corpus.h"
#include "rules/move_list.h"

using namespace velmora;

namespace {

std::vector<SnapshotPair> allPositions() {
    std::vector<SnapshotPair> positions;
    for (const char* file : {VELMORA_CORPUS_FILE, VELMORA_SELFPLAY_FILE}) {
        const RecordFile record = bench::corpusFile(file);
        const auto& snapshots = record.snapshots;
        positions.insert(positions.end(), snapshots.begin(), snapshots.end());
    }
    return positions;
}

void BM_ComDecision(benchmark::State& state) {
    const std::vector<SnapshotPair> positions = allPositions();
    std::vector<std::vector<double>> micros(positions.size());
    std::vector<std::unique_ptr<Game>> games(positions.size());
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& g : games) g = std::make_unique<Game>();
        for (size_t i = 0; i < positions.size(); ++i) putPosition(*games[i], positions[i].left, positions[i].right);
        state.ResumeTiming();
        for (size_t i = 0; i < positions.size(); ++i) {
            games[i]->state.comLevel = static_cast<int>(state.range(0));
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(comSearch(*games[i]));
            const auto stop = std::chrono::steady_clock::now();
            micros[i].push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        }
    }
    // Each position's own median over the runs, then the median and maximum of those.
    std::vector<double> perPosition;
    for (auto& m : micros) {
        std::sort(m.begin(), m.end());
        perPosition.push_back(m[m.size() / 2]);
    }
    std::sort(perPosition.begin(), perPosition.end());
    state.counters["positions"] = static_cast<double>(positions.size());
    state.counters["median_us"] = perPosition[perPosition.size() / 2];
    state.counters["max_us"] = perPosition.back();
}
BENCHMARK(BM_ComDecision)->Arg(3)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
