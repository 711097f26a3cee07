// Cost of the influence survey and of listing the accepted moves.
#include <benchmark/benchmark.h>

#include <memory>

#include "corpus.h"
#include "game.h"
#include "influence/survey.h"
#include "rules/move_list.h"

using namespace velmora;

namespace {

void BM_Survey(benchmark::State& state) {
    const auto& snapshots = bench::corpus().snapshots;
    auto game = std::make_unique<Game>();
    size_t i = 0;
    for (auto _ : state) {
        game->board(BoardId::LEFT) = snapshots[i % snapshots.size()].left;
        勢力調査(*game, BoardId::LEFT);
        benchmark::DoNotOptimize(game->map(BoardId::LEFT).whiteAttacks);
        ++i;
    }
}
BENCHMARK(BM_Survey);

void BM_AcceptedMoves(benchmark::State& state) {
    const auto& snapshots = bench::corpus().snapshots;
    auto game = std::make_unique<Game>();
    size_t i = 0;
    for (auto _ : state) {
        const SnapshotPair& p = snapshots[i % snapshots.size()];
        putPosition(*game, p.left, p.right);
        benchmark::DoNotOptimize(acceptedMoves(*game, BoardId::LEFT, game->state.whiteSide));
        ++i;
    }
}
BENCHMARK(BM_AcceptedMoves);

}  // namespace

