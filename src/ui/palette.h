#pragma once
#include <QColor>

namespace velmora::ui {

// The 16-colour palette the game's colour numbers index.
inline QColor paletteColor(int number) {
    static const QColor COLORS[16] = {
        {0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128},   {128, 0, 0},   {128, 0, 128},
        {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255}};
    return number >= 0 && number < 16 ? COLORS[number] : QColor(0, 0, 0);
}

}  // namespace velmora::ui
