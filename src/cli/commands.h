#pragma once
#include <optional>
#include <string>

#include "cli/options.h"
#include "game.h"
#include "record/record_file.h"

namespace velmora::cli {

// The computer's search on the position of `g`: one JSON line.
std::string comLine(Game& g, int n, int level);
// Computer against a seeded random mover, one JSON line per game; a message
// when the record cannot be written.
std::optional<std::string> runSelfplay(const Options& options);
// The engine's perft of snapshot n (per first move with --divide): JSON lines.
std::string perftLines(const RecordFile& record, int n, const Options& options);

}  // namespace velmora::cli
