#pragma once
#include <string>
#include <string_view>

#include "game.h"

namespace velmora {

// The settings file, by its bare name: it lives in the working directory.
inline constexpr const char* SETTINGS_FILE = "Velmora.ini";

// The five backgrounds: picture code, the value in the settings file and the
// menu item that carries the check mark.
struct Background {
    int code;
    const char* value;
    MenuItem item;
};
extern const Background BACKGROUNDS[5];
// The background of a picture code, or nothing for a code outside 3..7.
const Background* backgroundOf(int code);

// Reads the file once at start-up and applies it. Without a file, one with
// the defaults is written and they are applied; a file that is there but
// cannot be read is left alone, and the defaults apply in memory only.
void 読込_環境設定ファイル(Game& g);

// Applies the settings file's bytes: each "key=value" line in turn. Without
// a usable background line no background item keeps its mark.
void applySettings(Game& g, std::string_view bytes);

// Writes the file from the options as they stand (the menu's check marks
// only mirror them). The old file stays as it was when the new one cannot be
// written, or when it could not be read.
void 書込_環境設定ファイル(Game& g);

// The file's text as written from the options (UTF-8, CR LF line ends).
std::string settingsText(const Game& g);

// Clears the check marks of the five background items and sets the one of
// `code`; a code outside 3..7 leaves all five without a mark.
void チェック設定(Game& g, int code);

}  // namespace velmora
