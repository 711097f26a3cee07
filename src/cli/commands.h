#pragma once
#include <string>

#include "cli/options.h"
#include "game.h"

namespace velmora::cli {

// The computer's search on the position of `g`: one JSON line.
std::string comLine(Game& g, int n, int level);
// Computer against a seeded random mover; exit status.
int runSelfplay(const Options& options);

}  // namespace velmora::cli
