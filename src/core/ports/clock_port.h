#pragma once

namespace velmora {

// Pauses that handle no input. The window keeps its picture meanwhile.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void wait(double seconds) = 0;
    // Waits until the clock's second has changed once (up to one second).
    virtual void waitTick() = 0;
};

}  // namespace velmora
