#pragma once
// The look the panels beside the boards share: white text on black, in the
// game's bold font, its size following the picture's scale, which the
// panels' width follows too.
#include <QFont>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/game_font.h"
#include "ui/palette.h"
#include "ui/picture_transform.h"

namespace velmora::ui {

constexpr PaletteColour PANEL_BACKGROUND{0};
constexpr PaletteColour PANEL_TEXT{15};
// Points of the panels' text at the picture's natural size.
constexpr double PANEL_POINT_SIZE = 10;

// The picture's scale as a panel's width gives it, never below 1.
inline double panelScale(const QWidget& panel) {
    return std::max(1.0, panel.width() / double(PictureTransform::PANEL_WIDTH));
}

inline QFont panelFont(double scale, double points = PANEL_POINT_SIZE) {
    QFont font = gameFont();
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0 * scale)));
    font.setBold(true);
    return font;
}

// Pixels of the panels' margins at a scale.
inline int panelMargin(double scale) { return static_cast<int>(std::lround(4 * scale)); }

// White on black, the background filled.
inline void paintAsPanel(QWidget& panel) {
    panel.setAutoFillBackground(true);
    QPalette colours = panel.palette();
    colours.setColor(QPalette::Window, qtColour(PANEL_BACKGROUND));
    colours.setColor(QPalette::WindowText, qtColour(PANEL_TEXT));
    panel.setPalette(colours);
}

}  // namespace velmora::ui
