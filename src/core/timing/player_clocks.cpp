#include "timing/player_clocks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velmora {

void PlayerClocks::reset(TimeControl control) {
    control_ = control;
    remainingMs_[0] = remainingMs_[1] = control.baseMs;
    running_.reset();
}

void PlayerClocks::resume(TimeControl control, double whiteMs, double blackMs) {
    reset(control);
    remainingMs_[index(Colour::White)] = whiteMs;
    remainingMs_[index(Colour::Black)] = blackMs;
}

void PlayerClocks::start(Colour c, double now, double pauses) {
    if (running_ == c) return;
    stop(now);
    running_ = c;
    since_ = now;
    pausesSince_ = pauses;
}

void PlayerClocks::stop(double now, double pauses) {
    if (!running_) return;
    const double excluded = pauses > pausesSince_ ? pauses - pausesSince_ : 0;
    remainingMs_[index(*running_)] -= std::max(0.0, now - since_ - excluded) * 1000;
    running_.reset();
}

bool PlayerClocks::moveMade(Colour c, double now) {
    if (running_ == c) stop(now);
    if (!on()) return true;
    if (remainingMs_[index(c)] <= 0) return false;
    remainingMs_[index(c)] += control_.incrementMs;
    return true;
}

double PlayerClocks::remainingMs(Colour c, double now) const {
    double ms = remainingMs_[index(c)];
    if (running_ == c) ms -= std::max(0.0, now - since_) * 1000;
    return ms;
}

std::string clockFace(double remainingMs) {
    char text[32];
    if (remainingMs < 10'000) {
        // Tenths run down: 9.95 s shows 9.9, and only time up shows 0.0.
        const int tenths = std::max(0, static_cast<int>(std::floor(remainingMs / 100)));
        std::snprintf(text, sizeof text, "0:%02d.%d", tenths / 10, tenths % 10);
    } else {
        const long seconds = static_cast<long>(std::floor(remainingMs / 1000));
        std::snprintf(text, sizeof text, "%ld:%02ld", seconds / 60, seconds % 60);
    }
    return text;
}

}  // namespace velmora
