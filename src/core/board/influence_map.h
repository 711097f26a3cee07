#pragma once
#include "board/board.h"

namespace velmora {

constexpr int NO_DEFENDER = 999;
constexpr int NO_WHITE_THREAT = -999;
constexpr int CHECKER_MARK = 9;
constexpr int BETWEEN_MARK = 1;

// The grids one influence survey rebuilds for one board. The square grids
// say where the weakest guard or strongest threat of a square stands ({0, 0}
// where none was written); black's are not reset between surveys.
struct InfluenceMap {
    IntGrid whiteAttacks;
    IntGrid blackAttacks;
    IntGrid whiteDefender;
    IntGrid blackDefender;
    Grid<Square> blackDefenderFrom;
    IntGrid whiteThreat;
    Grid<Square> whiteThreatFrom;
    IntGrid blackThreat;
    Grid<Square> blackThreatFrom;
    IntGrid whiteCheckLine;
    IntGrid blackCheckLine;
};

}  // namespace velmora
