#include "options/settings_file.h"

#include <optional>
#include <string>
#include <string_view>

#include "draw/geometry.h"
#include "io/whole_file.h"
#include "record/cp932.h"

namespace velmora {

const Background BACKGROUNDS[5] = {{BG_GREEN, "緑", MenuItem::Green},
                                   {BG_TATAMI, "畳", MenuItem::Tatami},
                                   {BG_BAMBOO, "竹", MenuItem::Bamboo},
                                   {BG_SPACE, "宇宙", MenuItem::Space},
                                   {BG_BRICK, "煉瓦", MenuItem::Brick}};

const Background* backgroundOf(int code) {
    for (const Background& b : BACKGROUNDS) {
        if (b.code == code) return &b;
    }
    return nullptr;
}

namespace {

// A whole number of at most six digits, a minus sign first when `signedOk`.
std::optional<int> wholeNumber(std::string_view text, bool signedOk = false) {
    const bool negative = signedOk && !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 6) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

constexpr const char* DEFAULT_LINES = "背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n";

void applySetting(Game& g, std::string_view key, std::string_view value, bool& backgroundRead) {
    if (key == "背景画") {
        for (const Background& b : BACKGROUNDS) {
            if (value != b.value) continue;
            チェック設定(g, b.code);
            g.presentation().描画_背景(b.code);
            g.options.backgroundPicture = b.code;
            backgroundRead = true;
        }
    } else if (key == "移動指導") {
        const bool on = value == "ON";
        g.menuMarks().setChecked(MenuItem::MoveGuidance, on);
        g.state.moveGuidance = on;
        g.options.guideColor = on ? WHITE_COLOR : BACK_COLOR;
    } else if (key == "速い表示") {
        // Read back as it was written; once in the file, the line stays.
        const bool on = value == "ON";
        g.menuMarks().setChecked(MenuItem::FastDisplay, on);
        g.options.fastDisplay = on;
        g.options.fastDisplayLine = true;
    } else if (key == "レベル") {
        // A level of the menu; anything else leaves LEVEL3 and is written over.
        const std::optional<int> level = wholeNumber(value);
        if (level && *level >= 1 && *level <= MENU_LEVELS) {
            for (int n = 1; n <= MENU_LEVELS; ++n) g.menuMarks().setChecked(levelItem(n), n == *level);
            g.state.comLevel = *level;
            g.options.levelLine = true;
        }
    } else if (key == "持ち時間") {
        // A control given on the command line holds for the run instead.
        if (g.options.timeControl.on()) return;
        if (value == "なし") {
            g.options.timeControl = {};
            g.options.timeControlLine = true;
        } else if (const std::optional<TimeControl> control = parseTimeControl(value)) {
            g.options.timeControl = *control;
            g.options.timeControlLine = true;
        }
    } else if (key == "ウィンドウ") {
        // "x,y,width,height"; the window checks that it still fits a screen.
        int numbers[4];
        std::string_view rest = value;
        for (int k = 0; k < 4; ++k) {
            const std::size_t comma = k < 3 ? rest.find(',') : rest.size();
            if (comma == std::string_view::npos) return;
            const std::optional<int> n = wholeNumber(rest.substr(0, comma), true);
            if (!n) return;
            numbers[k] = *n;
            rest.remove_prefix(k < 3 ? comma + 1 : comma);
        }
        if (numbers[2] <= 0 || numbers[3] <= 0) return;
        g.options.windowPlace = OptionState::WindowPlace{numbers[0], numbers[1], numbers[2], numbers[3]};
    } else if (key == "BGM") {
        const bool on = value == "ON";
        g.options.music = on;
        g.menuMarks().setChecked(MenuItem::Music, on);
        if (on) g.sound().dsPlayLooping(g.sounds.bgmSound);
    }
}

}  // namespace

// Lines end with CR LF, LF or CR alone; a hand-edited file may use any of them.
void applySettings(Game& g, std::string_view bytes) {
    bool backgroundRead = false;
    LineSplitter lines(bytes, LineSplitter::ANY);
    for (std::string_view raw; lines.next(raw);) {
        // A line that is not CP932 cannot hold one of our keys; it is skipped
        // like an unknown key, and so is a line without "=".
        const std::optional<std::string> line = cp932ToUtf8(raw);
        if (!line) continue;
        const std::size_t eq = line->find('=');
        if (eq == std::string::npos) continue;
        const std::string_view text(*line);
        applySetting(g, text.substr(0, eq), text.substr(eq + 1), backgroundRead);
    }
    // Without a usable background line the window shows the empty-square
    // tiles; no background item keeps a mark then, so the menu says what is
    // shown, choosing any background works, and none is written back.
    if (!backgroundRead) チェック設定(g, PIC_EMPTY_0);
}

namespace {

// The largest settings file read: the game writes three or four short lines, so
// anything near this size is no settings file of ours.
constexpr std::size_t MAX_SETTINGS_BYTES = 64 * 1024;

// First run: the defaults are written and applied. They are applied even when
// they cannot be written (a read-only folder), or must not be (a file that is
// there but unreadable): the game then runs with them for this session.
void applyDefaults(Game& g, bool write) {
    const std::optional<std::string> bytes = utf8ToCp932(DEFAULT_LINES);
    std::string error;
    if (bytes && write) g.files().writeAtomically(g.options.settingsPath(SETTINGS_FILE), *bytes, error);
    チェック設定(g, BG_GREEN);
    g.presentation().描画_背景(BG_GREEN);
    g.options.backgroundPicture = BG_GREEN;
    // Guidance stays off and keeps its start-up colour.
    g.menuMarks().setChecked(MenuItem::MoveGuidance, false);
    // The music is not started here; it is only wanted.
    g.options.music = true;
    g.menuMarks().setChecked(MenuItem::Music, true);
}

}  // namespace

void チェック設定(Game& g, int code) {
    for (const Background& b : BACKGROUNDS) g.menuMarks().setChecked(b.item, false);
    if (const Background* b = backgroundOf(code)) g.menuMarks().setChecked(b->item, true);
}

void 読込_環境設定ファイル(Game& g) {
    std::string bytes;
    int reason = 0;
    switch (readWholeFile(g.options.settingsPath(SETTINGS_FILE), MAX_SETTINGS_BYTES, bytes, reason)) {
        case FileRead::Ok:
            applySettings(g, bytes);
            break;
        case FileRead::Missing:
            applyDefaults(g, true);
            break;
        case FileRead::Failed:
            // The person's settings may still be in there (a permission
            // changed, a link to another disk): never write over them.
            g.options.keepSettingsFile = true;
            applyDefaults(g, false);
            break;
    }
}

std::string settingsText(const Game& g) {
    const OptionState& o = g.options;
    std::string text;
    // The background shown; the empty-square tiles (no background read) write no line.
    if (const Background* b = backgroundOf(o.backgroundPicture)) text.append("背景画=").append(b->value).append("\r\n");
    text.append(g.state.moveGuidance ? "移動指導=ON\r\n" : "移動指導=OFF\r\n");
    text.append(o.music ? "BGM=ON\r\n" : "BGM=OFF\r\n");
    // A fourth line only once the person has chosen the option: a file the
    // person never touched keeps the three lines every earlier version wrote.
    if (o.fastDisplayLine) text.append(o.fastDisplay ? "速い表示=ON\r\n" : "速い表示=OFF\r\n");
    // The same for what the person chose of these.
    if (o.levelLine) text.append("レベル=").append(std::to_string(g.state.comLevel)).append("\r\n");
    if (o.timeControlLine) {
        text.append("持ち時間=").append(o.timeControl.on() ? timeControlText(o.timeControl) : "なし").append("\r\n");
    }
    if (const std::optional<OptionState::WindowPlace>& w = o.windowPlace) {
        text.append("ウィンドウ=")
            .append(std::to_string(w->x) + "," + std::to_string(w->y) + "," + std::to_string(w->width) + "," +
                    std::to_string(w->height))
            .append("\r\n");
    }
    return text;
}

void 書込_環境設定ファイル(Game& g) {
    // Written beside the old file and renamed over it: a failed write leaves
    // the old file, the marks and the game as they were, without a message.
    if (g.options.keepSettingsFile) return;
    const std::optional<std::string> bytes = utf8ToCp932(settingsText(g));
    std::string error;
    if (bytes) g.files().writeAtomically(g.options.settingsPath(SETTINGS_FILE), *bytes, error);
}

}  // namespace velmora
