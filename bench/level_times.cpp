// Each engine level's thinking time a move over the corpus, as the
// computer's turn searches: black to move on every fifth snapshot of the
// self-play record, the level's own limits and chance choices. Prints one
// line a level: the median and the longest time, and the median nodes and
// depth. Run it on an otherwise idle machine: the full engine's time is a
// budget, the lower levels' is what their depth and node limits cost.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "com/com_state.h"
#include "com/com_turn.h"
#include "com/level.h"
#include "corpus.h"
#include "engine/position.h"

int main() {
    using namespace velmora;
    const RecordFile record = bench::corpusFile(VELMORA_SELFPLAY_FILE);
    // The process's first searches pay for memory the allocator has not
    // yet handed out (about 1.5 ms each): a round of them, untimed, first.
    {
        Game g;
        for (size_t n = 0; n < record.snapshots.size(); n += 5) {
            const SnapshotPair& s = record.snapshots[n];
            engine::bestMove(engine::positionFromBoards(s.left, s.right, engine::BLACK), levelLimits(g, FIRST_ENGINE_LEVEL));
        }
    }
    std::printf("level  positions  median ms  max ms  median nodes  median depth\n");
    for (int level = FIRST_ENGINE_LEVEL; level <= MAX_LEVEL; ++level) {
        Game g;
        comState(g).seed = 2026;
        engine::TranspositionTable table(EngineRunner::TABLE_LOG2);
        std::vector<double> ms;
        std::vector<std::uint64_t> nodes;
        std::vector<int> depths;
        for (size_t n = 0; n < record.snapshots.size(); n += 5) {
            const SnapshotPair& s = record.snapshots[n];
            engine::SearchLimits limits = levelLimits(g, level);
            limits.table = &table;
            const auto start = std::chrono::steady_clock::now();
            const engine::SearchResult r =
                engine::bestMove(engine::positionFromBoards(s.left, s.right, engine::BLACK), limits);
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            nodes.push_back(r.nodes);
            depths.push_back(r.depth);
        }
        auto median = [](auto v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        std::printf("%5d  %9zu  %9.1f  %6.1f  %12llu  %12d\n", level, ms.size(), median(ms),
                    *std::max_element(ms.begin(), ms.end()), static_cast<unsigned long long>(median(nodes)),
                    median(depths));
    }
    return 0;
}
