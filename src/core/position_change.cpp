#include "position_change.h"


namespace velmora {

void setComputerTurnAside(Game& g) {
    ComState& c = g.com;
    if (!c.thinking()) return;
    if (c.search) c.search->cancel();
    c.search = nullptr;
    // A turn that never moved has nothing to end.
    c.turnEnded = nullptr;
    c.turn = ComState::Turn::None;
    ++c.turnNumber;
    g.presentation().消去_思考中(ThinkingStrip::Above);
    g.state.sideToMove = Side::None;
    c.turnStopped = true;
    // The computer's clock stops, less the pauses of its turn.
    if (g.chessClock.on() && g.chessClock.running() == Colour::Black) g.chessClock.stop(g.clock().now(), g.pausedSeconds());
}

void positionAboutToChange(Game& g) {
    setComputerTurnAside(g);
    if (g.com.hintSearch) g.com.hintSearch->cancel();
    g.com.hintSearch = nullptr;
    // A computer's move already made is shown to its end, boxes and all.
    g.sequencer().catchUp();
}

void stopEverything(Game& g) {
    ComState& c = g.com;
    for (std::shared_ptr<SearchTask>* task : {&c.search, &c.hintSearch}) {
        if (*task) (*task)->cancel();
        *task = nullptr;
    }
    c.turn = ComState::Turn::None;
    c.turnEnded = nullptr;
    ++c.turnNumber;
    g.sequencer().discard();
}

}  // namespace velmora
