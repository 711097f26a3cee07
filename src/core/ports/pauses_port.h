#pragma once
#include <chrono>

namespace velmora {

// Pauses that handle no input, and the time. The window keeps its picture
// meanwhile.
class Pauses {
public:
    virtual ~Pauses() = default;
    virtual void wait(double seconds) = 0;
    // Waits until the clock's second has changed once (up to one second).
    virtual void waitTick() = 0;
    // Seconds on a clock that only goes forward, for the players' clocks.
    virtual double now() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace velmora
