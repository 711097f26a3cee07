#pragma once
#include <optional>

#include "engine/search.h"
#include "game.h"
#include "game_outcome.h"

namespace velmora {

// The engine's budget and the running game's rules for its search: against
// the computer, or between two people.
engine::SearchLimits engineLimits(const Game& g, int timeMs);

// The search of an engine level (4..9) for `mover`: its rung's limits, the
// budget set in ComState::engineTimeMs in place of the rung's when there is
// one (under a clock, less when the mover's time asks for it), and the next
// seed for the rung's chance choices.
engine::SearchLimits levelLimits(Game& g, int level, Colour mover = Colour::Black);

// The search engine's move as the computer's best move on its board.
BestMove bestMoveOf(const Game& g, const engine::SearchResult& r);

// One whole turn of the computer (black): search both boards, play the better
// board's best move with its drawing, sound and pauses, store it, then
// announce check or mate and hand the turn to the person. Under a clock its
// search runs on the computer's clock, and its move gets the increment.
// Returns the winner when the turn ended the game (a draw when black cannot
// move on either board, the computer when it took a white king, the person
// when the computer's time ran out); ending it is the caller's.
// When a command stopped the search, nothing is played and the game stands
// paused with the computer to move (ComState::turnStopped).
std::optional<Winner> com_ban(Game& g);

}  // namespace velmora
