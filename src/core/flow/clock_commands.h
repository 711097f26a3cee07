#pragma once
#include "game.h"
#include "game_outcome.h"
#include "timing/time_control.h"

namespace velmora {

// Whether a game is being played: a side is to move, or the computer's turn
// stands stopped for a command while the boards show the latest position.
bool gameUnderWay(const Game& g);

// The clocks follow the game after each command: the clock of a person to
// move in a game under way, on the latest position or where the person took
// the game up again, runs; any other stops. A pause (戻, 最初, 進, the move
// list, a record) or the end of the game so stops both, and play taken up
// again goes on with the times as they stood. The computer's clock runs only
// around its search (startComputerClock).
void followClock(Game& g);

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
