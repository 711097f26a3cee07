#pragma once
#include "game.h"

namespace velmora {

// △ and ▽ before the first move: each step takes one more piece off the back
// rank of both boards (black's for positive grades, white's for negative), or
// puts one back.
void LBEL_UP_Click(Game& g);
void LEBEL_DOWN_Click(Game& g);

// The refusal box of a handicap change, reason 1 (record mode), 2 (game under
// way) or 3 (boards turned round).
void 描画_メッセージ(Game& g, int reason);

}  // namespace velmora
