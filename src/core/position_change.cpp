#include "position_change.h"

#include "com/com_turn.h"

namespace velmora {

void positionAboutToChange(Game& g) {
    setComputerTurnAside(g);
    if (g.com.hintSearch) g.com.hintSearch->cancel();
    g.com.hintSearch.reset();
    // A computer's move already made is shown to its end, boxes and all.
    g.sequencer().catchUp();
}

void stopEverything(Game& g) {
    ComState& c = g.com;
    for (std::shared_ptr<SearchTask>* task : {&c.search, &c.hintSearch}) {
        if (*task) (*task)->cancel();
        task->reset();
    }
    c.turn = ComState::Turn::None;
    c.turnEnded = nullptr;
    ++c.turnNumber;
    g.sequencer().discard();
}

}  // namespace velmora
