#pragma once
#include <optional>
#include <string>
#include <vector>

#include "game.h"
#include "record/played_move.h"

namespace velmora {

// One line of the game's move list.
struct ListedMove {
    int number = 0;
    std::optional<PlayedMove> move;  // none when the snapshots do not read as one move
    std::string board;               // "左" or "右", in the run's language
    std::string text;                // the game's text for the move, "？" when unread, likewise
};

// Moves 1 .. lastMoveNumber, the ones 戻 and 進 can reach from the start.
std::vector<ListedMove> listedMoves(const Game& g);

// Steps the boards to move n through 戻 or 進, one step at a time, with the
// same refusals, sounds and drawing; only the last step pauses for its move
// text. Stops at a refused step.
void stepToMove(Game& g, int n);

}  // namespace velmora
