#pragma once
#include <functional>

namespace velmora {

// Orders the game's steps after what is being shown. A window shows a move
// over time (blinks, the move texts, the pause after the computer's move);
// a step that must come after it (the computer's search, the end of the
// game) is handed here and runs once the screen has caught up. This base
// shows everything at once, so a headless game runs each step immediately.
class Sequencer {
public:
    virtual ~Sequencer() = default;
    // Runs `step` once everything drawn and paused before it is on the screen:
    // at once when nothing is waiting.
    virtual void then(std::function<void()> step) { step(); }
    // Shows everything that waits at once, without its pauses, its boxes and
    // steps in order: a command that changes the position runs on a screen
    // that shows the game as it stands.
    virtual void catchUp() {}
    // Forgets everything that waits: the program is ending.
    virtual void discard() {}
    // Something is still to be shown or run.
    virtual bool waiting() const { return false; }
};

}  // namespace velmora
