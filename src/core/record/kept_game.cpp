#include "record/kept_game.h"

#include <charconv>
#include <vector>

#include "levels.h"

namespace velmora {

namespace {

constexpr std::string_view PREFIX = "velmora game: ";
// The longest a clock may show: the dialog's longest time and as many
// increments again as a game has moves.
constexpr long long MAX_CLOCK_MS = 180LL * 60 * 1000 + 500LL * 60 * 1000;

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    while (!line.empty()) {
        const size_t space = line.find(' ');
        if (space != 0) out.push_back(line.substr(0, space));
        if (space == std::string_view::npos) break;
        line.remove_prefix(space + 1);
    }
    return out;
}

std::optional<long long> number(std::string_view text, long long max) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max) return std::nullopt;
    return value;
}

// "key=value" with the key expected, or nothing.
std::optional<std::string_view> valueOf(std::string_view word, std::string_view key) {
    if (word.size() <= key.size() || word.substr(0, key.size()) != key || word[key.size()] != '=') return std::nullopt;
    return word.substr(key.size() + 1);
}

}  // namespace

std::string keptGameLine(const KeptGame& game) {
    std::string line(PREFIX);
    if (game.mode == GameMode::AgainstComputer) {
        line += "computer level=" + std::to_string(game.level);
    } else {
        line += "people";
    }
    if (game.control.on()) {
        line += " clock=" + std::to_string(game.control.baseMs) + "+" + std::to_string(game.control.incrementMs);
        line += " white=" + std::to_string(static_cast<long long>(game.whiteMs > 0 ? game.whiteMs : 0));
        line += " black=" + std::to_string(static_cast<long long>(game.blackMs > 0 ? game.blackMs : 0));
    }
    return line;
}

std::optional<KeptGame> readKeptGameLine(std::string_view line) {
    if (line.substr(0, PREFIX.size()) != PREFIX) return std::nullopt;
    const std::vector<std::string_view> w = words(line.substr(PREFIX.size()));
    KeptGame game;
    size_t at = 0;
    if (w.size() >= 2 && w[0] == "computer") {
        const std::optional<std::string_view> level = valueOf(w[1], "level");
        const std::optional<long long> n = level ? number(*level, MAX_LEVEL) : std::nullopt;
        if (!n || *n < 1) return std::nullopt;
        game.mode = GameMode::AgainstComputer;
        game.level = static_cast<int>(*n);
        at = 2;
    } else if (!w.empty() && w[0] == "people") {
        at = 1;
    } else {
        return std::nullopt;
    }
    if (at == w.size()) return game;
    if (w.size() != at + 3) return std::nullopt;
    const std::optional<std::string_view> clock = valueOf(w[at], "clock");
    const std::optional<std::string_view> white = valueOf(w[at + 1], "white");
    const std::optional<std::string_view> black = valueOf(w[at + 2], "black");
    if (!clock || !white || !black) return std::nullopt;
    const size_t plus = clock->find('+');
    if (plus == std::string_view::npos) return std::nullopt;
    const std::optional<long long> base = number(clock->substr(0, plus), 180LL * 60 * 1000);
    const std::optional<long long> increment = number(clock->substr(plus + 1), 60LL * 1000);
    const std::optional<long long> whiteMs = number(*white, MAX_CLOCK_MS);
    const std::optional<long long> blackMs = number(*black, MAX_CLOCK_MS);
    if (!base || *base == 0 || !increment || !whiteMs || !blackMs) return std::nullopt;
    game.control = {static_cast<int>(*base), static_cast<int>(*increment)};
    game.whiteMs = static_cast<double>(*whiteMs);
    game.blackMs = static_cast<double>(*blackMs);
    return game;
}

}  // namespace velmora
