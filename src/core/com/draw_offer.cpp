#include "com/draw_offer.h"

#include <cstdlib>
#include <optional>

#include "com/com_state.h"
#include "com/com_turn.h"
#include "com/level.h"
#include "engine/position.h"

namespace velmora {

void askComputerForDraw(Game& g, std::function<void(bool accepted)> decided) {
    const GameState& st = g.state;
    if (!isEngineLevel(st.comLevel) || st.moveNumber < DRAW_OFFER_MIN_MOVES) {
        decided(false);
        return;
    }
    // The side to move's view; the score's size is the same either way.
    const Colour mover = colourOf(st, st.sideToMove).value_or(Colour::Black);
    const LevelStrength strength = strengthOf(st.comLevel);
    engine::SearchLimits limits = engineLimits(g, strength.timeMs);
    limits.maxDepth = strength.maxDepth;
    limits.maxNodes = strength.maxNodes;
    // The offer's search is the hint's slot: a command that changes the position cancels it.
    std::shared_ptr<SearchTask> task = g.engineRunner().start(
        engine::positionFromGame(g, mover), limits, [&g, decided](std::optional<engine::SearchResult> r) {
            comState(g).hintSearch.reset();
            decided(r && r->found() && std::abs(r->score) <= DRAW_OFFER_MARGIN);
        });
    if (!task->answered()) comState(g).hintSearch = std::move(task);
}

bool computerAcceptsDraw(Game& g) {
    bool accepted = false;
    askComputerForDraw(g, [&accepted](bool a) { accepted = a; });
    return accepted;
}

}  // namespace velmora
