#pragma once
#include <cstdint>
#include <string>

#include "game.h"

namespace velmora {

// The sound library's file name; its warnings carry it as their title.
inline constexpr const char* SOUND_LIBRARY = "Velmora.dll";
inline constexpr const char* NO_SOUND_DEVICE = "Direct Soundインターフェースが作成できません。";

// A warning box: the text, the warning icon, OK, titled with the library's name.
void soundWarning(Game& g, const Text& text);

// Starts the sound device; warns once when there is none.
void startSound(Game& g);

// Loads a wave file by its bare name (the working directory) into a buffer.
// 0 without a device or a file, silently; 0 with a warning when the file is
// there but cannot be read.
std::int32_t loadWave(Game& g, const std::string& fileName, std::int32_t flags);

// The four buffers of the game, in start-up order.
void loadSounds(Game& g);

// ｵﾌﾟｼｮﾝ ▸ BGM: the background music on or off, remembered in the settings file.
void BGM_Click(Game& g);

}  // namespace velmora
