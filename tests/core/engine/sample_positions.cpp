#include "sample_positions.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/movegen.h"
#include "record/record_file.h"
#include "rules/setup.h"

namespace velmora::testing {

using namespace engine;

std::vector<Sample> randomGamePositions(unsigned seed, int count, int minPlies, int plyRange) {
    std::mt19937 random(seed);
    std::vector<Sample> out;
    Board start;
    setStartPosition(start);
    for (int game = 0; game < count; ++game) {
        Position p = positionFromBoards(start, start, WHITE);
        const int plies = minPlies + static_cast<int>(random() % static_cast<unsigned>(plyRange));
        for (int ply = 0; ply < plies; ++ply) {
            MoveList list;
            generateMoves(p, list);
            if (list.size == 0) break;
            Undo undo;
            p.make(list.moves[random() % static_cast<unsigned>(list.size)], undo);
        }
        out.push_back({p, "random game " + std::to_string(game)});
    }
    return out;
}

std::vector<Sample> recordPositions(const std::string& path, const std::string& name, size_t stride) {
    RecordFile record;
    std::string error;
    EXPECT_TRUE(readRecordFileStrict(path, record, error)) << error;
    std::vector<Sample> out;
    for (size_t n = 0; n < record.snapshots.size(); n += stride) {
        const SnapshotPair& s = record.snapshots[n];
        const Colour colour = (n / stride) % 2 == 0 ? WHITE : BLACK;
        out.push_back({positionFromBoards(s.left, s.right, colour), name + " " + std::to_string(n)});
    }
    return out;
}

}  // namespace velmora::testing
