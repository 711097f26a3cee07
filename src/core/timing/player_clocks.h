#pragma once
#include <optional>
#include <string>

#include "board/piece.h"
#include "timing/time_control.h"

namespace velmora {

// The two clocks of a game under a time control. At most one runs at a
// time. The caller gives the time: seconds of a clock that only goes
// forward (the Pauses port's now()).
class PlayerClocks {
public:
    // Both clocks stopped, each with the control's full time.
    void reset(TimeControl control);
    // Both clocks stopped with the times a kept game left them at.
    void resume(TimeControl control, double whiteMs, double blackMs);
    TimeControl control() const { return control_; }
    bool on() const { return control_.on(); }

    // Runs `c`'s clock from `now`; another one running is stopped first.
    // `pauses`: a running count of seconds the clock is not to pay for (the
    // computer's presentation pauses), given again when it stops.
    void start(Colour c, double now, double pauses = 0);
    // Stops the running clock, if any, charging it the time since it started
    // less the pauses counted meanwhile.
    void stop(double now, double pauses = 0);
    // `c` has made a move: its clock stops and is charged; unless its time
    // had run out, the increment is added. False when the time had run out.
    bool moveMade(Colour c, double now);

    std::optional<Colour> running() const { return running_; }
    double remainingMs(Colour c, double now) const;
    bool timeIsUp(Colour c, double now) const { return on() && remainingMs(c, now) <= 0; }

private:
    static int index(Colour c) { return c == Colour::White ? 0 : 1; }

    TimeControl control_;
    double remainingMs_[2] = {0, 0};
    std::optional<Colour> running_;
    double since_ = 0;
    double pausesSince_ = 0;
};

// A clock's face: minutes and seconds ("4:59", "12:00", "180:00"), and
// below ten seconds tenths as well ("0:09.8"); never below "0:00.0".
std::string clockFace(double remainingMs);

}  // namespace velmora
