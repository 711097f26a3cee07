#include "timing/time_control.h"

#include <charconv>
#include <cmath>

namespace velmora {
namespace {

// A plain decimal number: digits, then optionally a point and digits.
std::optional<double> decimal(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9' || text.back() == '.') return std::nullopt;
    for (char c : text) {
        if ((c < '0' || c > '9') && c != '.') return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int millis(double units, double perUnit) { return static_cast<int>(std::lround(units * perUnit)); }

// A count of milliseconds in `unit`s, with the decimals it needs (at most three).
std::string inUnits(int ms, int unit) {
    std::string text = std::to_string(ms / unit);
    int rest = ms % unit;
    if (rest == 0) return text;
    text += '.';
    for (int step = unit / 10; step > 0 && rest > 0; step /= 10) {
        text += static_cast<char>('0' + rest / step);
        rest %= step;
    }
    return text;
}

}  // namespace

std::optional<TimeControl> parseTimeControl(std::string_view text) {
    const size_t plus = text.find('+');
    if (plus == std::string_view::npos) return std::nullopt;
    const std::optional<double> minutes = decimal(text.substr(0, plus));
    const std::optional<double> seconds = decimal(text.substr(plus + 1));
    if (!minutes || !seconds || *minutes <= 0 || *minutes > MAX_MINUTES || *seconds > MAX_INCREMENT_SECONDS) {
        return std::nullopt;
    }
    const TimeControl control{millis(*minutes, 60'000), millis(*seconds, 1'000)};
    // So little that it rounds to nothing is no clock at all.
    if (!control.on()) return std::nullopt;
    return control;
}

std::optional<TimeControl> timeControlOf(double minutes, double incrementSeconds) {
    if (!(minutes >= DIALOG_MIN_MINUTES && minutes <= MAX_MINUTES) ||
        !(incrementSeconds >= 0 && incrementSeconds <= MAX_INCREMENT_SECONDS)) {
        return std::nullopt;
    }
    return TimeControl{millis(minutes, 60'000), millis(incrementSeconds, 1'000)};
}

std::string timeControlText(TimeControl control) {
    return inUnits(control.baseMs, 60'000) + "+" + inUnits(control.incrementMs, 1'000);
}

}  // namespace velmora
