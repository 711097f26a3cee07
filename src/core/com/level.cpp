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
// docs/LEVELS.md). Depth and node limits rather than time set the lower
// rungs, so that their strength does not depend on the machine or its load
// and a seed always plays the same game; the time is only a cap there.
// Fields: time cap, depth, nodes, spread, oversight share, oversight depth.
constexpr std::array<LevelStrength, MAX_LEVEL - FIRST_ENGINE_LEVEL + 1> LADDER = {{
    {950, 1, 5'000, 400, 100, 1},
    {950, engine::MAX_PLY - 4, 5'000, 200, 72, 1},
    {950, engine::MAX_PLY - 4, 10'000, 120, 45, 1},
    {950, engine::MAX_PLY - 4, 100'000, 20, 0, 1},
    {950, engine::MAX_PLY - 4, 210'000, 10, 0, 1},
    {LEVEL9_TIME_MS, engine::MAX_PLY - 4, 0, 0, 0, 1},
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
    for (int column : {-2, -1, 0}) g.presentation().描画_背景セル(column, 0);
    レベル_設定(g, level);
    // The next start begins at the level chosen.
    g.options.levelLine = true;
    書込_環境設定ファイル(g);
}

}  // namespace velmora
