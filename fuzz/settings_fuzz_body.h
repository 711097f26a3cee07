#pragma once
// What the settings fuzzer does with one input; the regression test runs the
// same on every seed and every input kept from an earlier crash.
#include <memory>
#include <string>

#include "draw/geometry.h"
#include "options/settings_file.h"

namespace velmora::fuzz {

// Returns false when reading the bytes leaves an option outside its values.
inline bool settingsInput(const std::string& bytes) {
    auto g = std::make_unique<Game>();
    applySettings(*g, bytes);
    const OptionState& o = g->options;
    // No usable background line leaves the start-up picture, the empty square.
    if (o.backgroundPicture != PIC_EMPTY_0 && (o.backgroundPicture < BG_GREEN || o.backgroundPicture > BG_BRICK)) {
        return false;
    }
    if (o.guideColor != WHITE_COLOR && o.guideColor != BACK_COLOR) return false;
    // With guidance on, its outlines are white.
    return !g->state.moveGuidance || o.guideColor == WHITE_COLOR;
}

}  // namespace velmora::fuzz
