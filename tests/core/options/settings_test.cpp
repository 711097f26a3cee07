// The settings file and the option commands that write it.
#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>

#include "com/level.h"
#include "draw/geometry.h"
#include "flow/clock_commands.h"
#include "flow/game_flow.h"
#include "options/option_commands.h"
#include "options/settings_file.h"
#include "platform_world.h"
#include "record/cp932.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::PlatformWorld;
using Items = std::vector<std::string>;

std::string cp932(const std::string& utf8) { return *utf8ToCp932(utf8); }
std::string fileText(const PlatformWorld& w) { return cp932ToUtf8(w.folder.read(SETTINGS_FILE)).value_or("?"); }

struct ReadCase {
    const char* name;
    const char* text;  // stored as CP932
    int background;          // starts at PIC_EMPTY_0, with the menu's mark on 畳
    Items backgroundMarks;   // none when no line chose a background: the empty squares show
    bool guidance;
    PaletteColour guideColor;  // starts at WHITE_COLOR
    bool music;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class Reading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Reading, AppliesTheFile) {
    const ReadCase& c = GetParam();
    PlatformWorld w;
    w.game.sounds.bgmSound = 44;
    w.folder.write(SETTINGS_FILE, cp932(c.text));
    読込_環境設定ファイル(w.game);
    EXPECT_EQ(w.game.options.backgroundPicture, c.background);
    EXPECT_EQ(w.markedBackgrounds(), c.backgroundMarks);
    EXPECT_EQ(w.view.saw("tiles " + std::to_string(c.background)), c.background != PIC_EMPTY_0);
    EXPECT_EQ(w.marks.isChecked("SIDOU"), c.guidance);
    EXPECT_EQ(w.game.state.moveGuidance, c.guidance);
    EXPECT_EQ(w.game.options.guideColor, c.guideColor);
    EXPECT_EQ(w.marks.isChecked("BGM"), c.music);
    EXPECT_EQ(w.platform.log, c.music ? testing::Log{"loop 44"} : testing::Log{});
    EXPECT_EQ(w.folder.read(SETTINGS_FILE), cp932(c.text));  // never rewritten by reading
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Reading,
    ::testing::Values(
        ReadCase{"AsWritten", "背景画=竹\r\n移動指導=ON\r\nBGM=ON\r\n", BG_BAMBOO, {"TAKE"}, true, WHITE_COLOR, true},
        ReadCase{"AnyOrder", "BGM=OFF\r\n移動指導=ON\r\n背景画=宇宙\r\n", BG_SPACE, {"UCHU"}, true, WHITE_COLOR, false},
        ReadCase{"LastRepeatWins", "背景画=煉瓦\r\n移動指導=ON\r\n背景画=緑\r\n移動指導=OFF\r\n", BG_GREEN, {"MIDORI"},
                 false, BACK_COLOR, false},
        ReadCase{"UnknownKeys", "音量=10\r\nbgm=ON\r\n背景画=畳\r\n", BG_TATAMI, {"TATAMI"}, false, WHITE_COLOR, false},
        ReadCase{"LowerCaseOn", "移動指導=on\r\n", PIC_EMPTY_0, {}, false, BACK_COLOR, false},
        ReadCase{"TrailingBlank", "BGM=ON \r\n", PIC_EMPTY_0, {}, false, WHITE_COLOR, false},
        ReadCase{"ValueWithEquals", "BGM=ON=1\r\n", PIC_EMPTY_0, {}, false, WHITE_COLOR, false},
        ReadCase{"BlankInKey", "BGM =ON\r\n", PIC_EMPTY_0, {}, false, WHITE_COLOR, false},
        ReadCase{"LineWithoutEquals", "BGM\r\n\r\nBGM=ON", PIC_EMPTY_0, {}, false, WHITE_COLOR, true},
        ReadCase{"LineFeedsOnly", "背景画=煉瓦\n移動指導=ON\n", BG_BRICK, {"RENGA"}, true, WHITE_COLOR, false},
        ReadCase{"UnknownBackground", "背景画=青\r\n", PIC_EMPTY_0, {}, false, WHITE_COLOR, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFile, FirstRunWritesAndAppliesTheDefaultsWithoutMusic) {
    PlatformWorld w;
    w.game.sounds.bgmSound = 44;
    読込_環境設定ファイル(w.game);
    // 背景画=緑, 移動指導=OFF, BGM=ON in CP932, each line ended by CR LF.
    EXPECT_EQ(w.folder.read(SETTINGS_FILE),
              "\x94\x77\x8c\x69\x89\xe6=\x97\xce\r\n\x88\xda\x93\xae\x8e\x77\x93\xb1=OFF\r\nBGM=ON\r\n");
    EXPECT_EQ(w.game.options.backgroundPicture, BG_GREEN);
    EXPECT_EQ(w.markedBackgrounds(), Items{"MIDORI"});
    EXPECT_TRUE(w.view.saw("tiles 3"));
    EXPECT_FALSE(w.marks.isChecked("SIDOU"));
    EXPECT_EQ(w.game.options.guideColor, WHITE_COLOR);
    EXPECT_TRUE(w.marks.isChecked("BGM"));
    EXPECT_TRUE(w.platform.log.empty());
    EXPECT_TRUE(w.dialogs.boxes.empty());
}

TEST(SettingsFile, AnInstalledGameKeepsItsFileInTheConfigurationFolder) {
    PlatformWorld w;
    fs::create_directories("config/velmora");
    w.game.options.settingsFile = "config/velmora/Velmora.ini";
    読込_環境設定ファイル(w.game);
    EXPECT_FALSE(fs::exists(SETTINGS_FILE));
    ASSERT_TRUE(fs::exists("config/velmora/Velmora.ini"));
    // Read back from there: a choice made in one run is there in the next.
    w.folder.write("config/velmora/Velmora.ini", cp932("背景画=宇宙\r\n移動指導=ON\r\nBGM=OFF\r\n"));
    PlatformWorld next;
    next.game.options.settingsFile = (w.folder.path / "config/velmora/Velmora.ini").string();
    読込_環境設定ファイル(next.game);
    EXPECT_EQ(next.game.options.backgroundPicture, BG_SPACE);
    EXPECT_TRUE(next.marks.isChecked("SIDOU"));
}

TEST(SettingsFile, StartsOnTheEmptySquareTilesUntilTheFileChoosesABackground) {
    PlatformWorld w;
    EXPECT_EQ(w.game.options.backgroundPicture, PIC_EMPTY_0);
    w.folder.write(SETTINGS_FILE, cp932("背景画=青\r\n移動指導=ON\r\n"));
    読込_環境設定ファイル(w.game);
    EXPECT_EQ(w.markedBackgrounds(), Items{});  // the menu says what is shown
    SIDOU_Click(w.game);                        // no background line is written for it
    EXPECT_EQ(fileText(w), "移動指導=OFF\r\nBGM=OFF\r\n");
    TATAMI_Click(w.game);  // 畳 is no longer marked, so choosing it works
    EXPECT_EQ(w.game.options.backgroundPicture, BG_TATAMI);
    EXPECT_EQ(w.markedBackgrounds(), Items{"TATAMI"});
    EXPECT_EQ(fileText(w), "背景画=畳\r\n移動指導=OFF\r\nBGM=OFF\r\n");
}

TEST(SettingsFile, AFolderWhereTheFileShouldBeLeavesTheDefaultsInMemory) {
    for (bool folderGone : {false, true}) {
        PlatformWorld w;
        if (folderGone) {
            fs::remove_all(w.folder.path);  // nothing can be read or created any more
        } else {
            fs::create_directory(SETTINGS_FILE);  // cannot be read, and is no file to replace
        }
        読込_環境設定ファイル(w.game);
        EXPECT_EQ(w.game.options.backgroundPicture, BG_GREEN);
        EXPECT_EQ(w.markedBackgrounds(), Items{"MIDORI"});
        EXPECT_TRUE(w.marks.isChecked("BGM"));
        RENGA_Click(w.game);  // the commands still work
        EXPECT_EQ(w.game.options.backgroundPicture, BG_BRICK);
        EXPECT_TRUE(w.dialogs.boxes.empty());
    }
}

// A settings file that is there but cannot be read may still hold the
// person's settings: start-up runs on the defaults and never writes over it.
TEST(SettingsFile, AFileThatCannotBeReadIsLeftAloneForTheWholeRun) {
    const auto unreadable = [](const fs::path& file) {
        std::ofstream(file) << "old";
        fs::permissions(file, fs::perms::none);
    };
    const auto pipe = [](const fs::path& file) { ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0); };
    const auto huge = [](const fs::path& file) {
        std::ofstream(file) << "old";
        fs::resize_file(file, std::uintmax_t{1} << 30);  // sparse: costs no disk
    };
    for (void (*make)(const fs::path&) : {+unreadable, +pipe, +huge}) {
        PlatformWorld w;
        const fs::path file = w.folder.path / SETTINGS_FILE;
        make(file);
        const auto before = fs::status(file);
        const auto size = fs::is_regular_file(before) ? fs::file_size(file) : 0;
        読込_環境設定ファイル(w.game);
        EXPECT_EQ(w.game.options.backgroundPicture, BG_GREEN);
        EXPECT_EQ(w.markedBackgrounds(), Items{"MIDORI"});
        SIDOU_Click(w.game);
        UCHU_Click(w.game);
        EXPECT_EQ(w.game.options.backgroundPicture, BG_SPACE);
        EXPECT_EQ(fs::status(file).type(), before.type());
        EXPECT_EQ(fs::status(file).permissions(), before.permissions());
        if (fs::is_regular_file(before)) {
            EXPECT_EQ(fs::file_size(file), size);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(w.folder.path), fs::directory_iterator{}), 1);
    }
}

TEST(SettingsFile, ALinkedFileIsWrittenWhereItPointsAndStaysALink) {
    PlatformWorld w;
    fs::create_directory("elsewhere");
    w.folder.write("elsewhere/mine.ini", cp932("背景画=竹\r\n"));
    fs::create_symlink("elsewhere/mine.ini", SETTINGS_FILE);
    読込_環境設定ファイル(w.game);
    EXPECT_EQ(w.markedBackgrounds(), Items{"TAKE"});
    SIDOU_Click(w.game);
    EXPECT_TRUE(fs::is_symlink(SETTINGS_FILE));
    EXPECT_EQ(cp932ToUtf8(w.folder.read("elsewhere/mine.ini")), "背景画=竹\r\n移動指導=ON\r\nBGM=OFF\r\n");
}

TEST(SettingsFile, FailedWriteKeepsTheOldFileAndTheChosenOptions) {
    PlatformWorld w;
    w.folder.write(SETTINGS_FILE, "old");
    fs::permissions(SETTINGS_FILE, fs::perms(0444));  // the person made it read-only
    SIDOU_Click(w.game);
    UCHU_Click(w.game);
    EXPECT_EQ(w.folder.read(SETTINGS_FILE), "old");
    EXPECT_TRUE(w.marks.isChecked("SIDOU"));
    EXPECT_EQ(w.markedBackgrounds(), Items{"UCHU"});
    EXPECT_FALSE(w.marks.isChecked("BGM"));
    EXPECT_TRUE(w.dialogs.boxes.empty());
}

TEST(SettingsFile, WriterWritesTheOptionsWhateverTheMenuMarksSay) {
    struct Case {
        int background;
        bool guidance, music;
        std::string text;
    };
    const Case cases[] = {
        {PIC_EMPTY_0, false, false, "移動指導=OFF\r\nBGM=OFF\r\n"},
        {BG_BAMBOO, true, false, "背景画=竹\r\n移動指導=ON\r\nBGM=OFF\r\n"},
        {BG_GREEN, false, true, "背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n"},
    };
    for (const Case& c : cases) {
        PlatformWorld w;
        // Marks that say otherwise are only the menu's.
        w.marks.marks = {{"RENGA", true}, {"SIDOU", !c.guidance}, {"BGM", !c.music}};
        w.game.options.backgroundPicture = c.background;
        w.game.state.moveGuidance = c.guidance;
        w.game.options.music = c.music;
        書込_環境設定ファイル(w.game);
        EXPECT_EQ(fileText(w), c.text);
    }
}

TEST(SettingsFile, AGameWithoutMenusTogglesAndKeepsItsOptions) {
    // No menu at all (the marks read back nothing): the options still turn
    // on and off, and the file says what they are.
    testing::ScratchFolder folder(testing::ScratchFolder::ENTER);
    Game g;
    読込_環境設定ファイル(g);
    EXPECT_EQ(cp932ToUtf8(folder.read(SETTINGS_FILE)).value_or("?"), "背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n");
    SIDOU_Click(g);
    RENGA_Click(g);
    HAYAI_HYOUJI_Click(g);
    EXPECT_TRUE(g.state.moveGuidance);
    EXPECT_TRUE(g.options.fastDisplay);
    EXPECT_EQ(cp932ToUtf8(folder.read(SETTINGS_FILE)).value_or("?"),
              "背景画=煉瓦\r\n移動指導=ON\r\nBGM=ON\r\n速い表示=ON\r\n");
    SIDOU_Click(g);
    HAYAI_HYOUJI_Click(g);
    EXPECT_FALSE(g.state.moveGuidance);
    EXPECT_EQ(cp932ToUtf8(folder.read(SETTINGS_FILE)).value_or("?"),
              "背景画=煉瓦\r\n移動指導=OFF\r\nBGM=ON\r\n速い表示=OFF\r\n");
}

// The level, the time control and the window's place come back at the next
// start; a file the person never changed them in keeps its three lines.
TEST(SettingsFile, TheLevelTimeControlAndWindowAreRememberedOnceChosen) {
    PlatformWorld w;
    Form_Load(w.game);
    const std::string untouched = "背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n";
    EXPECT_EQ(fileText(w), untouched);
    OWARI_Click(w.game);  // nothing chosen, nothing moved: still three lines
    EXPECT_EQ(fileText(w), untouched);

    PlatformWorld first;
    Form_Load(first.game);
    // A two-digit level, written and read back whole.
    LEVEL_Click(first.game, 11);
    EXPECT_EQ(fileText(first), untouched + "レベル=11\r\n");
    chooseTimeControl(first.game, TIME_CONTROL_PRESETS[1]);
    EXPECT_EQ(fileText(first), untouched + "レベル=11\r\n持ち時間=3+2\r\n");
    first.game.options.windowPlace = OptionState::WindowPlace{40, -10, 900, 500};
    first.game.options.windowPlaceChanged = true;
    OWARI_Click(first.game);
    const std::string remembered = untouched + "レベル=11\r\n持ち時間=3+2\r\nウィンドウ=40,-10,900,500\r\n";
    EXPECT_EQ(fileText(first), remembered);

    // The next start, in the same folder.
    PlatformWorld next;
    next.folder.write(SETTINGS_FILE, cp932(remembered));
    Form_Load(next.game);
    EXPECT_EQ(next.game.state.comLevel, 11);
    EXPECT_TRUE(next.marks.isChecked("LEVEL11"));
    EXPECT_FALSE(next.marks.isChecked("LEVEL1"));
    EXPECT_FALSE(next.marks.isChecked("LEVEL3"));
    EXPECT_EQ(next.game.options.timeControl, TIME_CONTROL_PRESETS[1]);
    EXPECT_TRUE(next.marks.isChecked(menuItemName(timePresetItem(1))));
    EXPECT_EQ(next.game.playerClocks.control(), TIME_CONTROL_PRESETS[1]);
    ASSERT_TRUE(next.game.options.windowPlace);
    EXPECT_EQ(*next.game.options.windowPlace, (OptionState::WindowPlace{40, -10, 900, 500}));
    // なし chosen later is remembered as such.
    chooseTimeControl(next.game, TimeControl{});
    EXPECT_NE(fileText(next).find("持ち時間=なし\r\n"), std::string::npos);

    // A control given on the command line holds for the run over the remembered one.
    PlatformWorld run;
    run.folder.write(SETTINGS_FILE, cp932(remembered));
    run.game.options.timeControl = {600'000, 5'000};
    Form_Load(run.game);
    EXPECT_EQ(run.game.options.timeControl, (TimeControl{600'000, 5'000}));
}

TEST(SettingsFile, DamagedRememberedLinesAreIgnored) {
    for (const char* line : {"レベル=0", "レベル=13", "レベル=x", "レベル=", "持ち時間=5", "持ち時間=999+0",
                             "ウィンドウ=1,2,3", "ウィンドウ=1,2,0,4", "ウィンドウ=a,2,3,4", "ウィンドウ=1,2,3,4,5"}) {
        PlatformWorld w;
        w.folder.write(SETTINGS_FILE, cp932(std::string("背景画=緑\r\n") + line + "\r\n"));
        Form_Load(w.game);
        EXPECT_EQ(w.game.state.comLevel, 3) << line;
        EXPECT_FALSE(w.game.options.timeControl.on()) << line;
        EXPECT_FALSE(w.game.options.windowPlace) << line;
    }
}

TEST(BackgroundCommands, MarkWriteAndRedrawEvenWhenAlreadyChosen) {
    const std::tuple<void (*)(Game&), int, const char*, const char*> commands[] = {
        {MIDORI_Click, BG_GREEN, "MIDORI", "緑"}, {TATAMI_Click, BG_TATAMI, "TATAMI", "畳"},
        {TAKE_Click, BG_BAMBOO, "TAKE", "竹"},    {UCHU_Click, BG_SPACE, "UCHU", "宇宙"},
        {RENGA_Click, BG_BRICK, "RENGA", "煉瓦"}};
    for (const auto& [click, code, item, value] : commands) {
        PlatformWorld w;
        // The menu's initial mark on 畳 while the start-up picture shows: the
        // state before the settings file is read.
        click(w.game);
        EXPECT_EQ(w.markedBackgrounds(), Items{item});
        // The background is chosen, the one marked included (the mark only
        // mirrors the option); the file is written and the window redrawn.
        EXPECT_EQ(w.game.options.backgroundPicture, code);
        EXPECT_EQ(fileText(w), std::string("背景画=") + value + "\r\n移動指導=OFF\r\nBGM=OFF\r\n");
        EXPECT_EQ(w.view.lines, Items{"redraw"});
    }
}

TEST(MoveGuidance, OffWipesTheTargetMarksOfBothBoardsOnDrawsNothing) {
    PlatformWorld w;
    SIDOU_Click(w.game);
    EXPECT_TRUE(w.marks.isChecked("SIDOU"));
    EXPECT_TRUE(w.game.state.moveGuidance);
    EXPECT_EQ(w.game.options.guideColor, WHITE_COLOR);
    EXPECT_TRUE(w.view.lines.empty());
    // No background chosen yet (the settings were never read): no line for it.
    EXPECT_EQ(fileText(w), "移動指導=ON\r\nBGM=OFF\r\n");
    SIDOU_Click(w.game);
    EXPECT_FALSE(w.marks.isChecked("SIDOU"));
    EXPECT_FALSE(w.game.state.moveGuidance);
    EXPECT_EQ(w.game.options.guideColor, OUTLINE_COLOR);
    EXPECT_EQ(fileText(w), "移動指導=OFF\r\nBGM=OFF\r\n");
    ASSERT_EQ(w.view.lines.size(), 128u);
    EXPECT_EQ(w.view.lines[0], "outline 1 2 1 1");
    EXPECT_EQ(w.view.lines[1], "outline 2 2 1 1");
    EXPECT_EQ(w.view.lines[127], "outline 2 2 8 8");
}

}  // namespace
}  // namespace velmora
