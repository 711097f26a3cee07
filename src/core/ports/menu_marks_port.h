#pragma once
#include "levels.h"

namespace velmora {

// The menu items that carry a check mark: the twelve levels, move guidance,
// the music, fast display and the five backgrounds.
enum class MenuItem {
    Level1, Level2, Level3, Level4, Level5, Level6, Level7, Level8, Level9, Level10, Level11, Level12,
    MoveGuidance, Music, FastDisplay, Green, Tatami, Bamboo, Space, Brick,
    // 持ち時間: none, the six presets in their order, and one set in the dialog.
    TimeNone, Time1_0, Time3_2, Time5_0, Time10_5, Time15_10, Time30_0, TimeCustom
};

constexpr int MENU_LEVELS = static_cast<int>(MenuItem::Level12) - static_cast<int>(MenuItem::Level1) + 1;
static_assert(MENU_LEVELS == MAX_LEVEL, "each level has its menu item");

// The level menu's item of level 1..MAX_LEVEL.
constexpr MenuItem levelItem(int level) {
    return static_cast<MenuItem>(static_cast<int>(MenuItem::Level1) + level - 1);
}

// The 持ち時間 menu's item of preset k (0..5).
constexpr MenuItem timePresetItem(int k) {
    return static_cast<MenuItem>(static_cast<int>(MenuItem::Time1_0) + k);
}

// The item's object name in the window's menus.
constexpr const char* menuItemName(MenuItem item) {
    switch (item) {
        case MenuItem::Level1: return "LEVEL1";
        case MenuItem::Level2: return "LEVEL2";
        case MenuItem::Level3: return "LEVEL3";
        case MenuItem::Level4: return "LEVEL4";
        case MenuItem::Level5: return "LEVEL5";
        case MenuItem::Level6: return "LEVEL6";
        case MenuItem::Level7: return "LEVEL7";
        case MenuItem::Level8: return "LEVEL8";
        case MenuItem::Level9: return "LEVEL9";
        case MenuItem::Level10: return "LEVEL10";
        case MenuItem::Level11: return "LEVEL11";
        case MenuItem::Level12: return "LEVEL12";
        case MenuItem::MoveGuidance: return "SIDOU";
        case MenuItem::Music: return "BGM";
        case MenuItem::FastDisplay: return "HAYAI_HYOUJI";
        case MenuItem::Green: return "MIDORI";
        case MenuItem::Tatami: return "TATAMI";
        case MenuItem::Bamboo: return "TAKE";
        case MenuItem::Space: return "UCHU";
        case MenuItem::Brick: return "RENGA";
        case MenuItem::TimeNone: return "TIME_NONE";
        case MenuItem::Time1_0: return "TIME_1_0";
        case MenuItem::Time3_2: return "TIME_3_2";
        case MenuItem::Time5_0: return "TIME_5_0";
        case MenuItem::Time10_5: return "TIME_10_5";
        case MenuItem::Time15_10: return "TIME_15_10";
        case MenuItem::Time30_0: return "TIME_30_0";
        case MenuItem::TimeCustom: return "TIME_CUSTOM";
    }
    return "";
}

// Check marks of menu items.
class MenuMarks {
public:
    virtual ~MenuMarks() = default;
    virtual void setChecked(MenuItem item, bool checked) = 0;
    // The settings file is written from the marks, so they are read back too.
    virtual bool isChecked(MenuItem item) const = 0;
};

}  // namespace velmora
