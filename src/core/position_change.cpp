#include "position_change.h"

namespace velmora {

void positionAboutToChange(Game& g) {
    if (g.computer) g.computer->positionAboutToChange(g);
    // A computer's move already made is shown to its end, boxes and all.
    g.sequencer().catchUp();
}

void stopEverything(Game& g) {
    if (g.computer) g.computer->stopEverything();
    g.sequencer().discard();
}

}  // namespace velmora
