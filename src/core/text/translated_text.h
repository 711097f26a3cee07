#pragma once
#include <string>

#include "ports/translator_port.h"

namespace velmora {

// A text as the person is to see it. Each line is translated on its own. A
// line without a translation of its own is tried as a template: its first
// number, or what follows its label (up to ": ", "：" or ":"), stands for
// "%1", and the part taken out is put back into the template's translation,
// itself translated when it has one of its own (a grade, a piece). A line
// that matches nothing stays as it is: a file name, a number, a record's own
// text. Without a translator the text is returned unchanged.
std::string translated(const Translator* translator, const std::string& text);

// Whether the text holds a Japanese character (kana, kanji, the full-width
// and half-width forms): what an English run must never show.
bool hasJapanese(const std::string& text);

}  // namespace velmora
