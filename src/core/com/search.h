#pragma once
#include <optional>

#include "game.h"

namespace velmora {

// Tries every legal black move on one board and keeps the best in that
// board's BestMove. A capture of the white king ends the board's search.
void com_ban_search(Game& g, BoardId id);

// The search part of the computer's turn: both boards surveyed, the grids of
// the turn's start copied, the left board searched, surveyed again on its real
// position, the right board searched. Returns the board to play on, or nothing
// when neither board has a legal black move.
std::optional<BoardId> comSearch(Game& g);

}  // namespace velmora
