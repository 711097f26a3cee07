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
    // The side to move's colour (a side no colour plays yet searches for black, as before).
    const Colour colour = colourOf(st, st.sideToMove).value_or(Colour::Black);
    const std::optional<engine::SearchResult> r =
        g.engineRunner().think(engine::positionFromGame(g, colour), engineLimits(g, HINT_TIME_MS));
    // Stopped for a command that changes the game: nothing is drawn.
    if (!r || !r->found()) return;
    // The colour of move guidance, whether or not guidance is on: the hint is asked for.
    g.presentation().描画_桝輪郭(r->board, WHITE_COLOR, r->from.file, r->from.rank);
    g.presentation().描画_桝輪郭(r->board, WHITE_COLOR, r->to.file, r->to.rank);
}

}  // namespace velmora
