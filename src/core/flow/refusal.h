#pragma once
#include <string>

#include "game.h"

namespace velmora {

// Every refusal the person can cause: the refusal sound and a box; nothing else changes.
inline void refuse(Game& g, const std::string& text, const std::string& title) {
    g.sound().dsPlay(g.sounds.forbiddenSound);
    g.dialogs().messageBox(text, title, Buttons::Ok);
}

}  // namespace velmora
