#include "flow/clock_commands.h"

#include <algorithm>

#include "clock/game_clock.h"
#include "com/com_state.h"
#include "flow/shutdown.h"
#include "options/settings_file.h"
#include "position_change.h"

namespace velmora {
namespace {

// The colour of a person who is to move, if any.
std::optional<Colour> personToMove(const Game& g) {
    const GameState& st = g.state;
    if (st.sideToMove == Side::None || st.gameWinner != Side::None || st.recordMode) return std::nullopt;
    // The computer's turn lasts until the screen has shown its move.
    if (comState(g).turn != ComState::Turn::None) return std::nullopt;
    // Stepped back or forward, the game stands paused until a move is made
    // there or the person takes it up again.
    if (st.moveNumber != st.lastMoveNumber && st.moveNumber != g.playResumedAt) return std::nullopt;
    const std::optional<Colour> c = colourOf(st, st.sideToMove);
    // Against the computer the person plays white.
    if (st.gameMode == GameMode::AgainstComputer && c != Colour::White) return std::nullopt;
    return c;
}

}  // namespace

bool gameUnderWay(const Game& g) {
    const GameState& st = g.state;
    if (st.recordMode || st.gameWinner != Side::None) return false;
    if (st.sideToMove != Side::None || comState(g).turn != ComState::Turn::None) return true;
    return comState(g).turnStopped && st.gameMode == GameMode::AgainstComputer && st.moveNumber == st.lastMoveNumber;
}

void followClock(Game& g) {
    PlayerClocks& clock = g.playerClocks;
    if (!clock.on()) return;
    const double now = g.pauses().now();
    const std::optional<Colour> person = personToMove(g);
    if (person) {
        clock.start(*person, now);
    } else {
        clock.stop(now);
    }
}

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
    // Remembered for the next start.
    g.options.timeControlLine = true;
    書込_環境設定ファイル(g);
    if (g.state.moveNumber == 0 && !g.state.recordMode) {
        g.playerClocks.reset(control);
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
