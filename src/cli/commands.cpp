#include "cli/commands.h"

#include <cstdio>

namespace velmora::cli {

std::string comLine(Game&, int n, int) { return "{\"move\": " + std::to_string(n) + "}"; }

int runSelfplay(const Options&) {
    std::fprintf(stderr, "velmora-cli: selfplay is not available yet\n");
    return 2;
}

}  // namespace velmora::cli
