#include "com/hint.h"

#include "com/com_turn.h"
#include "command_support.h"
#include "draw/geometry.h"
#include "engine/position.h"

namespace velmora {

void HINT_Click(Game& g) {
    hideRecordPanel(g);
    const GameState& st = g.state;
    if (st.sideToMove == Side::None) {
        refuse(g, "「対局」で始めて下さい", "開始");
        return;
    }
    // White, the negative codes, moves when the side to move is white's turn.
    const Colour colour = colourOf(st, st.sideToMove).value_or(Colour::Black);
    const engine::SearchResult r = g.engineRunner().think(engine::positionFromGame(g, colour), engineLimits(g, HINT_TIME_MS));
    if (!r.found()) return;
    // The colour of move guidance, whether or not guidance is on: the hint is asked for.
    g.presentation().描画_桝輪郭(r.board, WHITE_COLOR, r.from.file, r.from.rank);
    g.presentation().描画_桝輪郭(r.board, WHITE_COLOR, r.to.file, r.to.rank);
}

}  // namespace velmora
