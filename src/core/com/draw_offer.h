#pragma once
#include <functional>

#include "engine/score.h"
#include "game.h"

namespace velmora {

// The computer takes a draw only once the game has gone this far (the move
// counter), so that an offer is no way out of an opening gone wrong.
constexpr int DRAW_OFFER_MIN_MOVES = 30;
// ... and only when its search finds the position this even, either way.
constexpr engine::Score DRAW_OFFER_MARGIN = 50;

// Whether the computer accepts the person's offer of a draw: the engine's
// levels search the position at their level's depth and node limits (no
// chance choices) and take it when the score is within the margin; the
// one-move levels decline. Declines also when the search was stopped.
// `decided` is called with the answer once the search has answered (within
// the call when the engine searches in it); never when the search is
// cancelled because the position changed meanwhile.
void askComputerForDraw(Game& g, std::function<void(bool accepted)> decided);

// The same answer, searched within the call (a headless game).
bool computerAcceptsDraw(Game& g);

}  // namespace velmora
