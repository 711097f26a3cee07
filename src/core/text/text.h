#pragma once
#include <string>
#include <utility>
#include <vector>

#include "ports/translator_port.h"

namespace velmora {

// A text the game shows, made where it is written, with its arguments kept
// apart from it until it is shown: Text("棋譜ﾌｧｲﾙの %1 行目が読めません").arg(12).
// The source is the Japanese text as written, "%1".."%9" standing for the
// arguments in the order they are given; it is both the key the catalogue
// translates it by and the text a Japanese run shows. An argument is either
// a value shown as it is in every language (a file path, a number) or a text
// of the catalogue itself (a grade, a piece, a reason), translated on its own.
class Text {
public:
    Text() = default;
    // A text of the catalogue, written as a literal where it is made.
    Text(const char* source) : source_(source) {}
    // A text of the catalogue taken from a table of them (a piece name, a file letter).
    explicit Text(std::string source) : source_(std::move(source)) {}
    // Shown as it is in every language: a number, a clock's face, a record's own line.
    static Text asIs(std::string text) {
        Text t(std::move(text));
        t.translatable_ = false;
        return t;
    }

    // The argument for the next "%N": a value shown as it is, a number, or a
    // text translated on its own. A bare literal is refused: say which it is
    // by writing std::string(...) or Text(...).
    Text& arg(std::string value) & { return add(asIs(std::move(value))); }
    Text& arg(int value) & { return add(asIs(std::to_string(value))); }
    Text& arg(Text text) & { return add(std::move(text)); }
    Text arg(std::string value) && { return std::move(arg(std::move(value))); }
    Text arg(int value) && { return std::move(arg(value)); }
    Text arg(Text text) && { return std::move(arg(std::move(text))); }
    Text& arg(const char*) & = delete;
    Text arg(const char*) && = delete;

    const std::string& source() const { return source_; }
    bool empty() const { return source_.empty(); }

private:
    friend std::string shown(const Translator* translator, const Text& text);
    Text& add(Text argument) {
        arguments_.push_back(std::move(argument));
        return *this;
    }

    std::string source_;
    std::vector<Text> arguments_;
    bool translatable_ = true;
};

// The text in the run's language: its source translated as a whole (kept as
// written without a translator, or when the catalogue has no translation of
// it), then each "%N" of that replaced by its argument, itself shown the same
// way. The places are filled in one pass over the template, so the percent
// signs and digits of an argument (a path, a number) are never taken for
// places of their own.
std::string shown(const Translator* translator, const Text& text);

// Whether the text holds a Japanese character (kana, kanji, the full-width
// and half-width forms): what an English run must never show.
bool hasJapanese(const std::string& text);

}  // namespace velmora
