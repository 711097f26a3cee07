#pragma once
#include "flow/shutdown.h"
#include "engine/search.h"
#include "game.h"

namespace velmora {

// The engine's budget and the running game's rules for its search: against
// the computer, or between two people.
engine::SearchLimits engineLimits(const Game& g, int timeMs);

// The search engine's move as the computer's best move on its board.
BestMove bestMoveOf(const Game& g, const engine::SearchResult& r);

// One whole turn of the computer (black): search both boards, play the better
// board's best move with its drawing, sound and pauses, store it, then end the
// game, announce check or mate, and hand the turn to the person. Returns how
// the turn left the game.
GameOutcome com_ban(Game& g);

}  // namespace velmora
