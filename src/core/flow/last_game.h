#pragma once
#include "game.h"

namespace velmora {

// 棋譜 ▸ 前回の対局: loads the kept game (resume.棋譜) and steps to its last
// position. A game that was under way goes on as it was left: against the
// computer at its level with the person on the same side, or between
// people, on its clocks with the times as they stood; the computer moves
// at once when it was its move. A kept record of any other kind (a finished
// game, a record) stays loaded for stepping through, and a click on a board
// goes on with it.
void KIFU_RESUME_Click(Game& g);

}  // namespace velmora
