// The one-line text of a position: writing and reading it back, per position
// of the self-play corpus and the golden record.
#include <benchmark/benchmark.h>

#include "corpus.h"
#include "record/played_move.h"
#include "record/position_text.h"

using namespace velmora;

namespace {

// Every position of both records with its side to move, as `velmora-cli position` writes them.
const std::vector<PositionText>& positions() {
    static const std::vector<PositionText> all = [] {
        std::vector<PositionText> out;
        for (const char* file : {VELMORA_CORPUS_FILE, VELMORA_SELFPLAY_FILE}) {
            std::vector<std::pair<Board, Board>> snapshots;
            for (const SnapshotPair& s : bench::corpusFile(file).snapshots) snapshots.emplace_back(s.left, s.right);
            for (int n = 0; n < static_cast<int>(snapshots.size()); ++n) {
                out.push_back({snapshots[n].first, snapshots[n].second, toMoveAtSnapshot(snapshots, n), n});
            }
        }
        return out;
    }();
    return all;
}

void BM_WritePositionText(benchmark::State& state) {
    const auto& all = positions();
    size_t k = 0;
    for (auto _ : state) {
        std::string text = writePositionText(all[k]);
        benchmark::DoNotOptimize(text);
        k = (k + 1) % all.size();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_WritePositionText);

void BM_ReadPositionText(benchmark::State& state) {
    std::vector<std::string> texts;
    for (const PositionText& p : positions()) texts.push_back(writePositionText(p));
    size_t k = 0;
    for (auto _ : state) {
        std::optional<PositionText> p = readPositionText(texts[k]);
        benchmark::DoNotOptimize(p);
        if (!p) state.SkipWithError("a written text was refused");
        k = (k + 1) % texts.size();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_ReadPositionText);

}  // namespace
