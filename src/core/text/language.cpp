#include "text/language.h"

namespace velmora {

std::optional<Language> languageNamed(std::string_view name) {
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

Language languageOfLocale(std::string_view locale) {
    // "ja", "ja_JP", "ja_JP.UTF-8", "ja_JP@modifier"; "C", "C.UTF-8", "POSIX".
    const std::string_view base = locale.substr(0, locale.find_first_of(".@"));
    if (base.empty() || base == "C" || base == "POSIX") return Language::Japanese;
    const std::string_view code = base.substr(0, base.find('_'));
    return code == "ja" ? Language::Japanese : Language::English;
}

Language systemLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value && *value) return languageOfLocale(value);
    }
    return Language::Japanese;
}

const char* helpPageOf(Language language) { return language == Language::English ? "Velmora.en.htm" : "Velmora.htm"; }

std::string catalogueNameOf(Language language) { return language == Language::English ? "velmora_en" : ""; }

}  // namespace velmora
