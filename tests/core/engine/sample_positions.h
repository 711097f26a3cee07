#pragma once
// Positions for the engine's tests: from seeded random games and from
// records, with where each came from for the failure messages.
#include <string>
#include <vector>

#include "engine/position.h"

namespace velmora::testing {

struct Sample {
    engine::Position position;
    std::string where;
};

// `count` games from the start position, each of `minPlies` plus up to
// `plyRange - 1` seeded random moves (fewer when a side cannot move): early,
// middle and late positions, kings lost on a board included.
std::vector<Sample> randomGamePositions(unsigned seed, int count, int minPlies, int plyRange);

// Every `stride`th snapshot of a record (read strictly), both sides to move
// alternately along it.
std::vector<Sample> recordPositions(const std::string& path, const std::string& name, size_t stride);

}  // namespace velmora::testing
