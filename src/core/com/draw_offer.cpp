#include "com/draw_offer.h"

#include <cstdlib>

#include "com/com_turn.h"
#include "com/level.h"
#include "engine/position.h"

namespace velmora {

bool computerAcceptsDraw(Game& g) {
    const GameState& st = g.state;
    if (!isEngineLevel(st.comLevel) || st.moveNumber < DRAW_OFFER_MIN_MOVES) return false;
    // The side to move's view; the score's size is the same either way.
    const Colour mover = colourOf(st, st.sideToMove).value_or(Colour::Black);
    const LevelStrength strength = strengthOf(st.comLevel);
    engine::SearchLimits limits = engineLimits(g, strength.timeMs);
    limits.maxDepth = strength.maxDepth;
    limits.maxNodes = strength.maxNodes;
    const std::optional<engine::SearchResult> r = g.engineRunner().think(engine::positionFromGame(g, mover), limits);
    return r && r->found() && std::abs(r->score) <= DRAW_OFFER_MARGIN;
}

}  // namespace velmora
