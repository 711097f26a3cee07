#pragma once
#include "clock/time_control.h"
#include "game.h"
#include "game_outcome.h"

namespace velmora {

// One tick of the window's timer while no command runs: the clocks follow
// the game and are drawn; a side whose time has run out loses, through the
// box "時間切れ" and the game's end.
GameOutcome clockTick(Game& g);

// 対局 ▸ 持ち時間 ▸ なし or one of the presets: the control of the games
// started from now on. Before the first move the clocks show it at once; a
// game already moving keeps its own.
void chooseTimeControl(Game& g, TimeControl control);

// 持ち時間 ▸ 設定...: the dialog for minutes and seconds, then as above;
// closed without a choice, nothing changes.
void setTimeControlClick(Game& g);

// The menu's check mark on the control chosen.
void markTimeControl(Game& g);

}  // namespace velmora
