#pragma once
#include <optional>
#include <string>

#include "game.h"
#include "game_outcome.h"

namespace velmora {

// The players' clocks in the running game. Only the flow and the turns that
// make moves call these; the window ticks them through clockTick.

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

// The person's move is being made: their clock stops and, unless their time
// had run out meanwhile (in a dialog of the move, say), gets the increment.
// False when the time had run out: the move is not to be made.
bool clockPersonMove(Game& g, Colour mover);

// The computer's clock runs from here to stopComputerClock, less the
// presentation pauses in between.
void startComputerClock(Game& g);
// Stops it; false when its time ran out during the search.
bool stopComputerClock(Game& g);
// The computer's move is on the boards: the increment is added.
void clockComputerMove(Game& g);

// The colour whose running clock shows no time left, if any.
std::optional<Colour> timeUpColour(const Game& g);

// The flag fall: both clocks stop and the box says whose time ran out;
// returns the winner, for the game's end.
Winner announceTimeUp(Game& g, Colour loser);

// The box's text for `loser`'s flag fall.
std::string timeUpText(const Game& g, Colour loser);

// The time budget of the computer's next search at `levelBudgetMs`: that
// budget, or less under a clock (see plannedMoveMs).
int computerBudgetMs(const Game& g, Colour mover, int levelBudgetMs);

}  // namespace velmora
