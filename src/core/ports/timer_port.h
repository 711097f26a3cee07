#pragma once
#include <functional>

namespace velmora {

// A single-shot timer of the event loop: `fire` runs once, `ms` milliseconds
// from now, unless the timer is stopped or started again first.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(int ms, std::function<void()> fire) = 0;
    virtual void stop() = 0;
};

}  // namespace velmora
