// The game's program. The desktop window is not built yet; until it is, the
// program says so and shows what the command-line tool can do.
#include <cstdio>

int main() {
    std::puts("Velmora: the desktop window is not part of this build yet.");
    std::puts("Positions can be examined with velmora-cli:");
    std::puts("");
    std::puts("  velmora-cli show FILE            both boards of a game record");
    std::puts("  velmora-cli survey FILE --all    influence grids of every position");
    std::puts("  velmora-cli moves FILE --side white|black");
    std::puts("  velmora-cli help                 everything else");
    return 0;
}
