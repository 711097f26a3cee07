#include "text/text.h"

#include <cstddef>
#include <optional>

namespace velmora {

std::string shown(const Translator* translator, const Text& text) {
    if (!text.translatable_) return text.source_;
    std::string pattern = text.source_;
    if (translator && !pattern.empty()) {
        if (std::optional<std::string> t = translator->translation(pattern)) pattern = std::move(*t);
    }
    if (text.arguments_.empty()) return pattern;
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        const char next = k + 1 < pattern.size() ? pattern[k + 1] : '\0';
        const bool place = pattern[k] == '%' && next >= '1' && next <= '9';
        const std::size_t index = place ? static_cast<std::size_t>(next - '1') : 0;
        if (place && index < text.arguments_.size()) {
            out += shown(translator, text.arguments_[index]);
            ++k;
        } else {
            out += pattern[k];
        }
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
