#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// A game's time: what each side's clock starts with and what is added to it
// after each of its moves, in milliseconds. No starting time: no clock.
struct TimeControl {
    int baseMs = 0;
    int incrementMs = 0;

    bool on() const { return baseMs > 0; }
    bool operator==(const TimeControl&) const = default;
};

// The choices of the 持ち時間 menu after なし.
inline constexpr std::array<TimeControl, 6> TIME_CONTROL_PRESETS = {{
    {60'000, 0},
    {180'000, 2'000},
    {300'000, 0},
    {600'000, 5'000},
    {900'000, 10'000},
    {1'800'000, 0},
}};

// What the setting dialog accepts: 0.5 to 180 minutes, 0 to 60 seconds added.
constexpr double DIALOG_MIN_MINUTES = 0.5;
constexpr double MAX_MINUTES = 180;
constexpr double MAX_INCREMENT_SECONDS = 60;

// "MIN+INC" as the command line gives it, each with or without a decimal
// point ("5+0", "0.5+2", "0.1+0.1"): more than 0 and at most 180 minutes,
// 0 to 60 seconds. Nothing for anything else.
std::optional<TimeControl> parseTimeControl(std::string_view text);

// The control from the setting dialog's two fields, or nothing when either
// is outside the dialog's range.
std::optional<TimeControl> timeControlOf(double minutes, double incrementSeconds);

// How a control is written: "5+0", "0.5+2", "1.5+0.5".
std::string timeControlText(TimeControl control);

}  // namespace velmora
