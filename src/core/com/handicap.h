#pragma once
#include "game.h"

namespace velmora {

// △ and ▽ before the first move: each step takes one more piece off the back
// rank of both boards (black's for positive grades, white's for negative), or
// puts one back.
void LBEL_UP_Click(Game& g);
void LEBEL_DOWN_Click(Game& g);

// Why a handicap change is refused: a record is being shown, a game is under
// way, or the boards have been turned round.
enum class HandicapRefusal { RecordMode, GameUnderWay, Reversed };

// The refusal box of a handicap change.
void 描画_メッセージ(Game& g, HandicapRefusal reason);

}  // namespace velmora
