#pragma once
#include <string>

#include "game.h"

namespace velmora {

inline constexpr const char* MAKER_SITE = "https://velmora.example/";

// The help page of the run's language, in the data folder or else the
// folder the program was started in.
std::string helpPagePath(const Game& g);

// その他 ▸ 解説: the help page in a browser window; when none opens, a box
// naming the page's full path.
void KAISETU_Click(Game& g);

// その他 ▸ バージョン情報: the modal version dialog with its chime.
void VER_Click(Game& g);

// The version dialog's ホームページ button: the maker's web site in a browser
// window, or its address in a box when none opens. The dialog closes
// afterwards, whether or not a window opened.
void Form4_Command1_Click(Game& g);

}  // namespace velmora
