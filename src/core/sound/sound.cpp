#include "sound/sound.h"

#include "io/file_reason.h"
#include "io/whole_file.h"
#include "options/settings_file.h"

namespace velmora {
namespace {

// Far above the game's own sounds; a larger file is refused rather than read.
constexpr std::size_t MAX_WAVE_BYTES = 64 * 1024 * 1024;

}  // namespace

void soundWarning(Game& g, const Text& text) {
    g.messageBox(text, Text::asIs(SOUND_LIBRARY), Buttons::Ok, true);
}

void startSound(Game& g) {
    g.sounds.device = g.sound().dsInitialize();
    if (g.sounds.device == 0) soundWarning(g, NO_SOUND_DEVICE);
}

std::int32_t loadWave(Game& g, const std::string& fileName, std::int32_t flags) {
    if (g.sounds.device == 0) return 0;
    std::string image;
    int reason = 0;
    switch (readWholeFile(g.options.dataFile(fileName), MAX_WAVE_BYTES, image, reason)) {
        case FileRead::Missing:
            return 0;
        case FileRead::Failed:
            // The file's own name, in every language, and why it was not read.
            soundWarning(g, Text("%1: %2").arg(fileName).arg(Text(fileReasonText(reason))));
            return 0;
        case FileRead::Ok:
            break;
    }
    // The library keeps its own copy; the image is released on return.
    return g.sound().dsCreateDSB(g.sounds.device, image, flags);
}

void loadSounds(Game& g) {
    // Effects are loaded with the flags 3, the music with 1; the library
    // receives them unchanged.
    g.sounds.otherSound = loadWave(g, "その他.wav", 3);
    g.sounds.forbiddenSound = loadWave(g, "禁止.wav", 3);
    g.sounds.pieceSound = loadWave(g, "駒打音.wav", 3);
    g.sounds.bgmSound = loadWave(g, "BGM.wav", 1);
}

void BGM_Click(Game& g) {
    g.options.music = !g.options.music;
    g.menuMarks().setChecked(MenuItem::Music, g.options.music);
    if (g.options.music) {
        g.sound().dsPlayLooping(g.sounds.bgmSound);
    } else {
        g.sound().dsStop(g.sounds.bgmSound);
    }
    書込_環境設定ファイル(g);
}

}  // namespace velmora
