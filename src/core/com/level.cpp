#include "com/level.h"

#include <algorithm>
#include <array>

#include "com/com_state.h"
#include "engine/search.h"
#include "options/settings_file.h"
#include "position_change.h"

namespace velmora {

namespace {

// The rungs, found by matches of each against the one below (see
// docs/LEVELS.md). Below the top, node and depth limits alone set a rung,
// with no time of its own, so that its strength does not depend on the
// machine or its load and a seed always plays the same game.
// Fields: time, depth, nodes, spread, oversight share, oversight depth.
constexpr std::array<LevelStrength, MAX_LEVEL - FIRST_ENGINE_LEVEL + 1> LADDER = {{
    {0, engine::MAX_PLY - 4, 5'000, 275, 82, 1},
    {0, engine::MAX_PLY - 4, 5'000, 250, 74, 1},
    {0, engine::MAX_PLY - 4, 10'000, 150, 55, 1},
    {0, engine::MAX_PLY - 4, 15'000, 100, 38, 1},
    {0, engine::MAX_PLY - 4, 25'000, 70, 22, 1},
    {0, engine::MAX_PLY - 4, 40'000, 40, 10, 1},
    {0, engine::MAX_PLY - 4, 80'000, 25, 2, 1},
    {0, engine::MAX_PLY - 4, 250'000, 10, 0, 1},
    {FULL_ENGINE_TIME_MS, engine::MAX_PLY - 4, 0, 0, 0, 1},
}};

}  // namespace

LevelStrength strengthOf(int level) {
    return LADDER[static_cast<size_t>(std::clamp(level, FIRST_ENGINE_LEVEL, MAX_LEVEL) - FIRST_ENGINE_LEVEL)];
}

void レベル_設定(Game& g, int level) {
    MenuMarks& marks = g.menuMarks();
    for (int n = 1; n <= MAX_LEVEL; ++n) marks.setChecked(levelItem(n), false);
    if (level >= 1 && level <= MAX_LEVEL) {
        marks.setChecked(levelItem(level), true);
        g.state.comLevel = level;
    }
    if (g.state.gameMode == GameMode::AgainstComputer) g.presentation().描画_レベル(g.state.comLevel);
}

void LEVEL_Click(Game& g, int level) {
    positionAboutToChange(g);
    // The number reaches a little into the row below the band's: both go.
    for (int column : {-2, -1, 0}) {
        for (int row : {0, 1}) g.presentation().描画_背景セル(column, row);
    }
    レベル_設定(g, level);
    // The next start begins at the level chosen.
    g.options.levelLine = true;
    書込_環境設定ファイル(g);
}

}  // namespace velmora
