#pragma once
#include <QColor>

#include "ports/palette_port.h"

namespace velmora::ui {

// The 16-colour palette the game's colour numbers index.
inline QColor qtColour(PaletteColour colour) {
    const int number = paletteNumber(colour);
    static const QColor COLOURS[16] = {
        {0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128},   {128, 0, 0},   {128, 0, 128},
        {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255}};
    return number >= 0 && number < 16 ? COLOURS[number] : QColor(0, 0, 0);
}

}  // namespace velmora::ui
