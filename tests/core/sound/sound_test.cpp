// Sound start-up, the wave files, and which buffer each event plays; the
// help page and the version dialog.
#include <gtest/gtest.h>

#include <cstring>

#include "draw/geometry.h"
#include "flow/game_flow.h"
#include "flow/shutdown.h"
#include "help/help.h"
#include "input/mouse_input.h"
#include "options/settings_file.h"
#include "platform_world.h"
#include "record/cp932.h"
#include "sound/sound.h"

namespace velmora {
namespace {

using testing::clickSquare;
using testing::Log;
using testing::PlatformWorld;

const char* const WAVES[] = {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"};  // in loading order

void writeWaves(const PlatformWorld& w) {
    for (const char* name : WAVES) w.folder.write(name, std::string("RIFF ") + name);
}

// The wave file a logged call's buffer was made from.
std::string fileOf(const PlatformWorld& w, const std::string& call) {
    const std::size_t i = std::stoul(call.substr(call.find(' ') + 1)) - 101;
    return i < w.platform.created.size() ? w.platform.created[i].first.substr(5) : "<none>";
}

Log soundCalls(const Log& log) {
    Log out;
    for (const std::string& line : log) {
        if (line.rfind("play", 0) == 0 || line.rfind("loop", 0) == 0 || line.rfind("stop", 0) == 0 ||
            line.rfind("free", 0) == 0)
            out.push_back(line);
    }
    return out;
}

TEST(SoundStartUp, LoadsTheFourWholeFilesWithTheirFlags) {
    PlatformWorld w;
    writeWaves(w);
    Form_Load(w.game);
    ASSERT_EQ(w.platform.created.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(w.platform.created[i].first, std::string("RIFF ") + WAVES[i]);
        EXPECT_EQ(w.platform.created[i].second, i < 3 ? 3 : 1);
    }
    EXPECT_TRUE(w.dialogs.boxes.empty());
    // BGM=ON in the file starts the loaded music; the first run only marks it.
    PlatformWorld again;
    writeWaves(again);
    again.folder.write(SETTINGS_FILE, "BGM=ON\r\n");
    Form_Load(again.game);
    EXPECT_EQ(again.platform.log, Log{"loop 104"});
}

TEST(SoundStartUp, AnInstalledGameReadsItsFilesFromItsDataFolder) {
    PlatformWorld w;
    std::filesystem::create_directories("share/velmora");
    for (const char* name : WAVES) w.folder.write(std::string("share/velmora/") + name, std::string("RIFF ") + name);
    w.game.options.dataDirectory = (w.folder.path / "share/velmora").string();
    {
        testing::ScratchFolder elsewhere;  // started from a folder without them
        Form_Load(w.game);
        w.platform.browserWorks = false;
        KAISETU_Click(w.game);
    }
    ASSERT_EQ(w.platform.created.size(), 4u);
    EXPECT_EQ(w.platform.created[3].first, std::string("RIFF BGM.wav"));
    ASSERT_FALSE(w.platform.log.empty());
    EXPECT_EQ(w.platform.log.back(), "browse " + w.game.options.dataDirectory + "/Velmora.htm");
}

TEST(SoundStartUp, MissingFilesAreSilentAndUnreadableOnesWarn) {
    PlatformWorld w;
    std::filesystem::create_directory("禁止.wav");
    Form_Load(w.game);
    EXPECT_TRUE(w.platform.created.empty());
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "禁止.wav: ﾌｧｲﾙではなくﾌｫﾙﾀﾞです");
    EXPECT_EQ(w.dialogs.boxes[0].title, "Velmora.dll");
    EXPECT_TRUE(w.dialogs.boxes[0].warningIcon);
}

TEST(SoundStartUp, NoDeviceWarnsOnceThenEveryCallGetsZero) {
    PlatformWorld w;
    writeWaves(w);
    w.platform.device = 0;
    Form_Load(w.game);
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "Direct Soundインターフェースが作成できません。");
    EXPECT_EQ(w.dialogs.boxes[0].title, "Velmora.dll");
    EXPECT_TRUE(w.dialogs.boxes[0].warningIcon);
    EXPECT_TRUE(w.platform.created.empty());
    clickSquare(w.game, BoardId::LEFT, 5, 7);
    終了処理(w.game);
    EXPECT_EQ(soundCalls(w.platform.log), (Log{"play 0", "free 0", "free 0", "free 0", "free 0"}));
}

TEST(SoundEvents, EachEventPlaysItsOwnFile) {
    const std::pair<void (*)(Game&), Log> events[] = {
        {[](Game& g) { clickSquare(g, BoardId::LEFT, 5, 7); }, {"play 禁止.wav"}},  // before any game
        {[](Game& g) {
             START_Click(g);
             clickSquare(g, BoardId::LEFT, 5, 7);
             clickSquare(g, BoardId::LEFT, 5, 5);
         },
         {"play 駒打音.wav"}},
        {VER_Click, {"play その他.wav"}},
        {[](Game& g) {  // the first run's mark: the first choice stops, the second starts
             BGM_Click(g);
             BGM_Click(g);
         },
         {"stop BGM.wav", "loop BGM.wav"}},
        {終了処理, {"free その他.wav", "free 禁止.wav", "free 駒打音.wav", "free BGM.wav"}},
    };
    for (const auto& [act, expected] : events) {
        PlatformWorld w;
        writeWaves(w);
        Form_Load(w.game);
        w.platform.log.clear();
        act(w.game);
        Log played;
        for (const std::string& call : soundCalls(w.platform.log)) played.push_back(call.substr(0, 5) + fileOf(w, call));
        EXPECT_EQ(played, expected);
    }
}

TEST(BgmCommand, WritesItsLine) {
    PlatformWorld w;
    // The music wanted on 畳, as the settings file would have said.
    w.game.options.music = true;
    w.game.options.backgroundPicture = BG_TATAMI;
    w.marks.setChecked("BGM", true);
    BGM_Click(w.game);
    EXPECT_FALSE(w.game.options.music);
    EXPECT_FALSE(w.marks.isChecked("BGM"));
    EXPECT_EQ(cp932ToUtf8(w.folder.read(SETTINGS_FILE)), "背景画=畳\r\n移動指導=OFF\r\nBGM=OFF\r\n");
    BGM_Click(w.game);
    EXPECT_TRUE(w.marks.isChecked("BGM"));
    EXPECT_EQ(cp932ToUtf8(w.folder.read(SETTINGS_FILE)), "背景画=畳\r\n移動指導=OFF\r\nBGM=ON\r\n");
}

TEST(HelpAndVersion, PageOfTheStartDirectoryAndTheDialogAfterTheChime) {
    PlatformWorld w;
    Form_Load(w.game);
    START_Click(w.game);
    const GameState before = w.game.state;
    const std::string started = w.folder.path.string();
    {
        testing::ScratchFolder elsewhere{testing::ScratchFolder::ENTER};  // the working directory changed since start-up
        w.platform.browserWorks = false;    // and no browser: only the box that says so
        KAISETU_Click(w.game);
    }
    w.game.sounds.otherSound = 33;
    VER_Click(w.game);
    Form4_Command1_Click(w.game);
    EXPECT_EQ(w.platform.log, (Log{"browse " + started + "/Velmora.htm", "lists hidden", "fields hidden", "play 33",
                                   "version dialog", "browse https://velmora.example/"}));
    EXPECT_EQ(w.game.state.sideToMove, before.sideToMove);
    ASSERT_EQ(w.dialogs.boxes.size(), 3u);  // START's own box, then the help page's and the web site's
    EXPECT_EQ(w.dialogs.boxes[1].title, "解説");
    EXPECT_EQ(w.dialogs.boxes[2].title, "ﾎｰﾑﾍﾟｰｼﾞ");
}

// When no browser window opens, a box says what could not be shown: the help
// page by its full path, the web site by its address.
TEST(HelpAndVersion, WhatCouldNotBeOpenedIsNamedInABox) {
    PlatformWorld w;
    Form_Load(w.game);
    const std::string page = (w.folder.path / "Velmora.htm").string();
    w.platform.browserWorks = false;
    KAISETU_Click(w.game);
    w.folder.write("Velmora.htm", "<html></html>");
    KAISETU_Click(w.game);
    Form4_Command1_Click(w.game);
    ASSERT_EQ(w.dialogs.boxes.size(), 3u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "解説ファイルが見つかりません: " + page);
    EXPECT_EQ(w.dialogs.boxes[0].title, "解説");
    EXPECT_EQ(w.dialogs.boxes[1].text, "解説ファイルを開けません: " + page);
    EXPECT_EQ(w.dialogs.boxes[1].title, "解説");
    EXPECT_NE(w.dialogs.boxes[2].text.find("https://velmora.example/"), std::string::npos);
    EXPECT_EQ(w.dialogs.boxes[2].title, "ﾎｰﾑﾍﾟｰｼﾞ");
    // With a browser nothing more is said.
    w.platform.browserWorks = true;
    KAISETU_Click(w.game);
    Form4_Command1_Click(w.game);
    EXPECT_EQ(w.dialogs.boxes.size(), 3u);
}

}  // namespace
}  // namespace velmora
