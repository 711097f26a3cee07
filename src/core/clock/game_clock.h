#pragma once
#include <optional>
#include <string>

#include "game.h"
#include "game_outcome.h"

namespace velmora {

// The players' clocks in the running game, as the moves and the flag fall
// move them. Only the flow and the turns that make moves call these; the
// window ticks them through clockTick.

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

// The time budget of the computer's next search at `levelBudgetMs` (0: a
// level with no time of its own, which its nodes and depth limit): that
// budget, or under a clock no more than the time left allows (see
// plannedMoveMs).
int computerBudgetMs(const Game& g, Colour mover, int levelBudgetMs);

}  // namespace velmora
