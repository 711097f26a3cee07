#include "com/hint.h"

#include "com/com_state.h"
#include "com/com_turn.h"
#include "command_support.h"
#include "draw/geometry.h"
#include "engine/position.h"

namespace velmora {

void HINT_Click(Game& g) {
    hideRecordPanel(g);
    const GameState& st = g.state;
    // The computer's own turn, or a hint still being searched: the search is busy.
    if (comState(g).turn != ComState::Turn::None || comState(g).hintSearch) return;
    if (st.sideToMove == Side::None) {
        refuse(g, "「対局」で始めて下さい", "開始");
        return;
    }
    // The side to move's colour (a side no colour plays yet searches for black, as before).
    const Colour colour = colourOf(st, st.sideToMove).value_or(Colour::Black);
    const Board left = g.board(BoardId::LEFT), right = g.board(BoardId::RIGHT);
    const int moveNumber = st.moveNumber;
    std::shared_ptr<SearchTask> task = g.engineRunner().start(
        engine::positionFromGame(g, colour), engineLimits(g, HINT_TIME_MS),
        [&g, left, right, moveNumber](std::optional<engine::SearchResult> r) {
            comState(g).hintSearch.reset();
            // Stopped, or for a position no longer on the boards: nothing is drawn.
            if (!r || !r->found() || g.state.moveNumber != moveNumber || g.board(BoardId::LEFT) != left ||
                g.board(BoardId::RIGHT) != right) {
                return;
            }
            // The colour of move guidance, whether or not guidance is on: the hint is asked for.
            g.presentation().描画_桝輪郭(r->board, WHITE_COLOR, r->from.file, r->from.rank);
            g.presentation().描画_桝輪郭(r->board, WHITE_COLOR, r->to.file, r->to.rank);
        });
    // A search that answered within the call is over already.
    if (!task->answered()) comState(g).hintSearch = std::move(task);
}

}  // namespace velmora
