#include "text/translated_text.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace velmora {
namespace {

constexpr std::string_view ARGUMENT = "%1";

// The template's translation with the argument put in its place.
std::string filledIn(std::string translation, const std::string& argument) {
    const size_t at = translation.find(ARGUMENT);
    if (at != std::string::npos) translation.replace(at, ARGUMENT.size(), argument);
    return translation;
}

std::string argumentAsShown(const Translator& translator, const std::string& argument) {
    return translator.translation(argument).value_or(argument);
}

// The line as a template with its first run of digits as the argument.
std::optional<std::string> byNumber(const Translator& translator, const std::string& line) {
    const size_t first = line.find_first_of("0123456789");
    if (first == std::string::npos) return std::nullopt;
    const size_t end = line.find_first_not_of("0123456789", first);
    const size_t length = (end == std::string::npos ? line.size() : end) - first;
    std::string pattern = line;
    pattern.replace(first, length, ARGUMENT);
    const std::optional<std::string> t = translator.translation(pattern);
    if (!t) return std::nullopt;
    return filledIn(*t, line.substr(first, length));
}

// The line as a label and what follows it, the rest as the argument.
std::optional<std::string> byLabel(const Translator& translator, const std::string& line) {
    for (const std::string_view separator : {std::string_view(": "), std::string_view("："), std::string_view(":")}) {
        const size_t at = line.find(separator);
        if (at == std::string::npos) continue;
        const size_t rest = at + separator.size();
        const std::optional<std::string> t = translator.translation(line.substr(0, rest) + std::string(ARGUMENT));
        if (t) return filledIn(*t, argumentAsShown(translator, line.substr(rest)));
    }
    return std::nullopt;
}

std::string translatedLine(const Translator& translator, const std::string& line) {
    if (line.empty()) return line;
    if (std::optional<std::string> t = translator.translation(line)) return std::move(*t);
    if (std::optional<std::string> t = byNumber(translator, line)) return std::move(*t);
    if (std::optional<std::string> t = byLabel(translator, line)) return std::move(*t);
    return line;
}

}  // namespace

std::string translated(const Translator* translator, const std::string& text) {
    if (!translator) return text;
    std::string out;
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        out += translatedLine(*translator, text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        out += '\n';
        start = end + 1;
    }
    return out;
}

bool hasJapanese(const std::string& text) {
    // Every character from U+3000 up to U+FFEF that the game's texts use
    // (punctuation, kana, kanji, the full-width and half-width forms) has a
    // three-byte UTF-8 form led by 0xE3 to 0xEF.
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xE3 && byte <= 0xEF) return true;
    }
    return false;
}

}  // namespace velmora
