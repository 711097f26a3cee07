#pragma once
#include <functional>
#include <optional>

#include "com/com_state.h"
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

// What follows the computer's turn: the winner when the turn ended the game
// (a draw when black cannot move on either board, the computer when it took
// a white king, the person when the computer's time ran out); ending it is
// the receiver's.
using TurnEnded = std::function<void(std::optional<Winner>)>;

// One whole turn of the computer (black), as steps driven by events: once the
// screen has shown what came before, "思考中"; the search of both boards
// (the one-move levels with their pause before each board, the engine on the
// runner's worker); when its answer comes and the rules accept it, the
// better board's move with its drawing, sound and pauses, stored, check or
// mate announced and the turn handed to the person. Under a clock the search
// runs on the computer's clock and its move gets the increment. `ended` is
// called once the screen has shown the move. The call returns at once; in a
// headless game every step runs within it.
// A search stopped before it answered plays nothing: the game stands paused
// with the computer to move (ComState::turnStopped), and `ended` is called
// with no winner.
void beginComputerTurn(Game& g, TurnEnded ended);

// The computer's turn run to its end within the call, for a headless game
// (the command line, tests): the winner when it ended the game.
std::optional<Winner> com_ban(Game& g);

}  // namespace velmora
