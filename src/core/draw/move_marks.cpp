#include "draw/move_marks.h"

#include "record/played_move.h"

namespace velmora {

std::vector<SquareMark> lastMoveMarks(const Game& g) {
    const int n = g.state.moveNumber;
    const std::optional<PlayedMove> m = playedMove(g, n);
    if (!m) return {};
    const Board& left = g.board(BoardId::LEFT);
    const Board& right = g.board(BoardId::RIGHT);
    bool turned = false;
    if (left != g.history.left[n] || right != g.history.right[n]) {
        if (left != turnedBoard(g.history.left[n]) || right != turnedBoard(g.history.right[n])) return {};
        turned = true;
    }
    auto at = [turned](Square s) { return turned ? turnedSquare(s) : s; };
    std::vector<SquareMark> marks = {{m->board, at(m->from), LAST_MOVE_COLOR}, {m->board, at(m->to), LAST_MOVE_COLOR}};
    if (m->twinCapture) marks.push_back({otherBoard(m->board), at(m->to), TWIN_CAPTURE_COLOR});
    return marks;
}

}  // namespace velmora
