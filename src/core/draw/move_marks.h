#pragma once
#include <vector>

#include "game.h"
#include "ports/palette_port.h"

namespace velmora {

// The last move's marks, in LAST_MOVE_COLOR and TWIN_CAPTURE_COLOR.
struct SquareMark {
    BoardId board = BoardId::LEFT;
    Square square;
    PaletteColour colour = LAST_MOVE_COLOR;
    bool operator==(const SquareMark&) const = default;
};

// The marks of the move that led to the position shown (move moveNumber),
// where the boards show it: on the turned boards after 反転 at the turned
// squares. None at move 0, for a change that is not one move, or when the
// boards show something else.
std::vector<SquareMark> lastMoveMarks(const Game& g);

}  // namespace velmora
