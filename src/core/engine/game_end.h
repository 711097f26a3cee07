#pragma once
#include "engine/position.h"

namespace velmora::engine {

// Which end-of-move tests the game runs: against the computer (white is the
// person) or between two people.
enum class GameKind { AGAINST_COM, TWO_PEOPLE };

// The game's only draw: after `mover` has moved on `board`, the enemy king of
// that board is not attacked but every square around it is (occupied or not).
// Against the computer the test follows white's moves only; between two
// people it follows every move, and only when the king stands alone on that
// board.
bool drawnAfterMove(const Position& p, BoardId board, Colour mover, GameKind kind);

}  // namespace velmora::engine
