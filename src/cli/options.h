#pragma once
#include <optional>
#include <string>

namespace velmora::cli {

// Command-line words of velmora-cli, checked but not yet applied to a file.
struct Options {
    std::string command;
    std::string file;
    std::optional<int> move;
    bool all = false;
    std::string side;
    int level = 3;
    int games = 1;
    unsigned long seed = 1;
    std::string out;
};

// Fills `options` or returns a one-line message for a bad command line.
std::optional<std::string> parseOptions(int argc, char** argv, Options& options);

extern const char* const USAGE;

}  // namespace velmora::cli
