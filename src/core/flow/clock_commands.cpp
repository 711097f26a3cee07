#include "flow/clock_commands.h"

#include <algorithm>

#include "clock/game_clock.h"
#include "flow/shutdown.h"
#include "position_change.h"

namespace velmora {

GameOutcome clockTick(Game& g) {
    followClock(g);
    g.presentation().drawClocks();
    if (const std::optional<Colour> loser = timeUpColour(g)) {
        positionAboutToChange(g);
        return 終了(g, announceTimeUp(g, *loser));
    }
    return GameOutcome::Continues;
}

void markTimeControl(Game& g) {
    const TimeControl chosen = g.options.timeControl;
    MenuMarks& marks = g.menuMarks();
    const auto preset = std::find(TIME_CONTROL_PRESETS.begin(), TIME_CONTROL_PRESETS.end(), chosen);
    marks.setChecked(MenuItem::TimeNone, !chosen.on());
    for (int k = 0; k < static_cast<int>(TIME_CONTROL_PRESETS.size()); ++k) {
        marks.setChecked(timePresetItem(k), preset == TIME_CONTROL_PRESETS.begin() + k);
    }
    marks.setChecked(MenuItem::TimeCustom, chosen.on() && preset == TIME_CONTROL_PRESETS.end());
}

void chooseTimeControl(Game& g, TimeControl control) {
    positionAboutToChange(g);
    g.options.timeControl = control;
    markTimeControl(g);
    if (g.state.moveNumber == 0 && !g.state.recordMode) {
        g.chessClock.reset(control);
        followClock(g);
        g.presentation().drawClocks();
    }
}

void setTimeControlClick(Game& g) {
    positionAboutToChange(g);
    const TimeControl current = g.options.timeControl.on() ? g.options.timeControl : TIME_CONTROL_PRESETS[2];
    if (const std::optional<TimeControl> chosen = g.dialogs().askTimeControl(current)) {
        chooseTimeControl(g, *chosen);
    } else {
        // The marks are the window's: a closed dialog leaves them as they were.
        markTimeControl(g);
    }
}

}  // namespace velmora
