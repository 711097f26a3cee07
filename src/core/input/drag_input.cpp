#include "input/drag_input.h"

#include <cmath>

#include "com/com_state.h"
#include "draw/geometry.h"
#include "input/mouse_input.h"

namespace velmora {

std::optional<BoardSquare> squareAt(double x, double y) {
    const int c = static_cast<int>(std::floor((x - LEFT_ORIGIN_X) / SQUARE_WIDTH));
    const int r = static_cast<int>(std::floor((y - ORIGIN_Y) / SQUARE_HEIGHT));
    if (r < 1 || r > 8) return std::nullopt;
    if (c >= 1 && c <= 8) return BoardSquare{BoardId::LEFT, {c, r}};
    if (c >= 13 && c <= 20) return BoardSquare{BoardId::RIGHT, {c - 12, r}};
    return std::nullopt;
}

namespace {

bool selectedOn(const Game& g, const BoardSquare& at) {
    const Selection& s = g.selection(at.board);
    return s.pieceSelected && s.from == at.square;
}

}  // namespace

std::optional<BoardSquare> pickedUp(const Game& g, double x, double y) {
    const std::optional<BoardSquare> at = squareAt(x, y);
    if (!at || g.state.sideToMove == Side::None || comState(g).turn != ComState::Turn::None || !selectedOn(g, *at)) {
        return std::nullopt;
    }
    return at;
}

GameOutcome dropPiece(Game& g, MouseButton button, const BoardSquare& from, double x, double y) {
    if (g.state.sideToMove == Side::None || !selectedOn(g, from)) return GameOutcome::Continues;
    const std::optional<BoardSquare> to = squareAt(x, y);
    if (!to || *to == from) {
        dropSelection(g, from.board);
        return GameOutcome::Continues;
    }
    return Form_MouseDown(g, button, 0, x, y);
}

}  // namespace velmora
