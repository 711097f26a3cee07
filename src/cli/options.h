#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "timing/time_control.h"

namespace velmora::cli {

// Command-line words of velmora-cli, checked but not yet applied to a file.
struct Options {
    std::string command;
    std::string file;
    // --position: one position's text, in place of a record file
    std::optional<std::string> position;
    std::optional<int> move;
    bool all = false;
    std::string side;
    int level = 3;
    int timeMs = 0;  // the search engine's budget per move (levels 4-12; 0: the level's own)
    int whiteLevel = 0;  // match
    int blackLevel = 0;
    // match: a side played by another program's `com` answers at that side's level
    std::string whiteProgram;
    std::string blackProgram;
    int whiteTimeMs = 0;  // match: each side's budget (0: the level's own); --time sets both
    int blackTimeMs = 0;
    // match: both sides play on clocks (off: no clocks)
    TimeControl timeControl;
    int games = 1;
    unsigned long seed = 1;
    std::string out;
    int depth = 0;
    bool divide = false;
    int jobs = 0;  // analyse: workers (0: one a core)
};

// Self-play games per run: their record stays far below the size the
// analysis commands read.
constexpr int MAX_SELFPLAY_GAMES = 100;
constexpr int MAX_MATCH_GAMES = 10'000;

// Fills `options` or returns a one-line message for a bad command line.
std::optional<std::string> parseOptions(int argc, char** argv, Options& options);

extern const char* const USAGE;

}  // namespace velmora::cli
