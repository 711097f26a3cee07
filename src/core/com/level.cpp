#include "com/level.h"

namespace velmora {

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
    for (int column : {-2, -1, 0}) g.presentation().描画_背景セル(column, 0);
    レベル_設定(g, level);
}

}  // namespace velmora
