#pragma once
#include <vector>

#include "game.h"

namespace velmora {

// The last move's marks: yellow (14) on its from and to squares, magenta (13)
// on the square of the other board whose piece the two-board capture took.
// Both read on the teal and on the red squares, and neither is a colour the
// game marks with otherwise: the selection is light red (12), the guidance
// and the computer's destination bright white (15).
constexpr int LAST_MOVE_COLOR = 14;
constexpr int TWIN_CAPTURE_COLOR = 13;

struct SquareMark {
    BoardId board = BoardId::LEFT;
    Square square;
    int colour = LAST_MOVE_COLOR;
    bool operator==(const SquareMark&) const = default;
};

// The marks of the move that led to the position shown (move moveNumber),
// where the boards show it: on the turned boards after 反転 at the turned
// squares. None at move 0, for a change that is not one move, or when the
// boards show something else.
std::vector<SquareMark> lastMoveMarks(const Game& g);

}  // namespace velmora
