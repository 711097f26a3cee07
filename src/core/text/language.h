#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The languages the game speaks. Japanese is the game's own: its texts are
// written in it, and a Japanese run translates nothing.
enum class Language { Japanese, English };

// "ja" or "en", as --lang takes them.
std::optional<Language> languageNamed(std::string_view name);

// The language of a locale name as the C library spells it ("ja_JP.UTF-8",
// "en_GB", "C"). A Japanese locale, and also C or POSIX (a machine nobody has
// set a language on), give Japanese; any other gives English.
Language languageOfLocale(std::string_view locale);

// The language of the person's locale: the first set of LC_ALL, LC_MESSAGES
// and LANG, as the C library reads them for messages (nullptr: not set).
Language systemLanguage(const char* lcAll, const char* lcMessages, const char* lang);

// The help page of a language, a file beside the Japanese Velmora.htm.
const char* helpPageOf(Language language);

// The base name of a language's translation catalogue (velmora_en.qm), or
// empty for Japanese, which needs none.
std::string catalogueNameOf(Language language);

}  // namespace velmora
