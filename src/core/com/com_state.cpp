#include "com/com_state.h"

#include <random>

namespace velmora {

ComState::ComState() {
    std::random_device entropy;
    seed = (std::uint64_t{entropy()} << 32) | entropy();
}

ComState& comState(Game& g) {
    if (!g.computer) g.computer = std::make_unique<ComState>();
    return static_cast<ComState&>(*g.computer);
}

const ComState& comState(const Game& g) {
    if (g.computer) return static_cast<const ComState&>(*g.computer);
    static const ComState fresh;
    return fresh;
}

void setComputerTurnAside(Game& g) {
    ComState& c = comState(g);
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
    if (g.playerClocks.on() && g.playerClocks.running() == Colour::Black) g.playerClocks.stop(g.pauses().now(), g.pausedSeconds());
}

void ComState::positionAboutToChange(Game& g) {
    setComputerTurnAside(g);
    if (hintSearch) hintSearch->cancel();
    hintSearch = nullptr;
}

void ComState::stopEverything() {
    for (std::shared_ptr<SearchTask>* task : {&search, &hintSearch}) {
        if (*task) (*task)->cancel();
        *task = nullptr;
    }
    turn = Turn::None;
    turnEnded = nullptr;
    ++turnNumber;
}

}  // namespace velmora
