#include "input/key_cursor.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora {

void KeyCursor::step(Step step) {
    if (!shown_) {
        shown_ = true;
        return;
    }
    switch (step) {
        case Step::Left: column_ = std::max(1, column_ - 1); break;
        case Step::Right: column_ = std::min(COLUMNS, column_ + 1); break;
        case Step::Up: rank_ = std::max(1, rank_ - 1); break;
        case Step::Down: rank_ = std::min(8, rank_ + 1); break;
    }
}

bool KeyCursor::readyToClick() { return std::exchange(shown_, true); }

void KeyCursor::follow(double xTwips, double yTwips) {
    const int c = static_cast<int>(std::floor((xTwips - LEFT_ORIGIN_X) / SQUARE_WIDTH));
    const int r = static_cast<int>(std::floor((yTwips - ORIGIN_Y) / SQUARE_HEIGHT));
    if (r < 1 || r > 8) return;
    if (c >= 1 && c <= 8) {
        column_ = c;
    } else if (c >= 13 && c <= 20) {
        column_ = c - 4;
    } else {
        return;
    }
    rank_ = r;
}

CellMark KeyCursor::mark() const {
    return CellMark{gridX(originX(board()), file()), gridY(rank_), SQUARE_WIDTH, SQUARE_HEIGHT, KEY_CURSOR_COLOR};
}

}  // namespace velmora
