#pragma once
#include <string>

#include "game.h"

namespace velmora {

// What the commands of every subsystem share: the menu commands kept beside
// their subsystems use these without reaching up to the start-up and
// end-of-game code.

// Every refusal the person can cause: the refusal sound and a box; nothing else changes.
inline void refuse(Game& g, const Text& text, const Text& title) {
    g.sound().dsPlay(g.sounds.forbiddenSound);
    g.messageBox(text, title, Buttons::Ok);
}

// Hides the record panel's lists and empties and hides its save fields, as
// opening the 対局, 局面 or ｵﾌﾟｼｮﾝ menu and most commands do.
inline void hideRecordPanel(Game& g) {
    g.recordPanel().描画_可視(false, false, false);
    g.recordPanel().描画_棋譜_IO(false);
}

}  // namespace velmora
