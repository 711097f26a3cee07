#pragma once
#include <QFont>

namespace velmora::ui {

// The window's Japanese serif font, the nearest there is to the game's own,
// with fallbacks. Menus, boxes and the board texts share it, so one font
// file serves the whole window.
inline QFont gameFont() {
    QFont font;
    font.setFamilies({"IPAPMincho", "IPA P明朝", "IPAMincho", "Noto Serif CJK JP", "serif"});
    font.setStyleHint(QFont::Serif);
    font.setPointSize(9);
    return font;
}

}  // namespace velmora::ui
