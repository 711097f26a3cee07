#pragma once
#include <algorithm>

#include "ports/pauses_port.h"

namespace velmora {

// The clock every presentation pause goes through: the computer's thinking
// pauses, the blinking, the promotion display and the move texts. With fast
// display on, each pause shrinks to a small fraction of its length and a wait
// for the clock's next second to a few milliseconds, so that all the pauses of
// one turn, the person's move and the computer's reply together, stay within
// FAST_TURN_BUDGET even with a promotion and two-board captures on both sides.
class PacedPauses final : public Pauses {
public:
    // The most the pauses of one turn may take with fast display on, seconds.
    static constexpr double FAST_TURN_BUDGET = 0.05;
    // The longest turn there is, paused at full length: the person's move text
    // and a two-board capture blink (0.3 + 0.8), the two thinking pauses (0.6),
    // the blink (0.8), the promotion display and its highlight (1.5 + 1.0), a
    // capture blink (0.8), the move text (0.3) and the pause after it (0.5).
    static constexpr double LONGEST_TURN = 6.6;
    static constexpr double FAST_FACTOR = FAST_TURN_BUDGET / LONGEST_TURN * 0.9;

    PacedPauses(Pauses& inner, const bool& fast) : inner_(&inner), fast_(fast) {}

    void wait(double seconds) override {
        const double began = inner_->now();
        const double paced = fast_ ? seconds * FAST_FACTOR : seconds;
        inner_->wait(paced);
        // A clock that queues its pauses returns at once; the pause still
        // lasts its length on the screen.
        paused_ += std::max(inner_->now() - began, paced);
    }
    // A wait for the next second is at most a second long.
    void waitTick() override {
        const double began = inner_->now();
        if (fast_) {
            inner_->wait(FAST_FACTOR);
        } else {
            inner_->waitTick();
        }
        paused_ += inner_->now() - began;
    }
    double now() const override { return inner_->now(); }
    // How long all the pauses so far have lasted, seconds: the computer's
    // clock does not pay for the pauses of its turn.
    double pausedSeconds() const { return paused_; }

    Pauses& inner() { return *inner_; }
    void setInner(Pauses& inner) { inner_ = &inner; }

private:
    Pauses* inner_;
    const bool& fast_;
    double paused_ = 0;
};

}  // namespace velmora
