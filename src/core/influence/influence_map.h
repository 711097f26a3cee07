#pragma once
#include "rules/board.h"

namespace velmora {

constexpr int NO_DEFENDER = 999;
constexpr int NO_WHITE_THREAT = -999;
constexpr int CHECKER_MARK = 9;
constexpr int BETWEEN_MARK = 1;

// The grids one influence survey rebuilds for one board. The defender and
// threat square grids of black are not reset between surveys.
struct InfluenceMap {
    IntGrid whiteAttacks;
    IntGrid blackAttacks;
    IntGrid whiteDefender;
    IntGrid blackDefender;
    IntGrid blackDefenderFile;
    IntGrid blackDefenderRank;
    IntGrid whiteThreat;
    IntGrid whiteThreatFile;
    IntGrid whiteThreatRank;
    IntGrid blackThreat;
    IntGrid blackThreatFile;
    IntGrid blackThreatRank;
    IntGrid whiteCheckLine;
    IntGrid blackCheckLine;
};

}  // namespace velmora
