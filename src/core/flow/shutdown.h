#pragma once
#include "game.h"

namespace velmora {

// Releases the sound buffers and the device; every way out of the program runs it.
void 終了処理(Game& g);

}  // namespace velmora
