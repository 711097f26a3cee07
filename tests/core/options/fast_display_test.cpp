// Fast display: the settings file's fourth line, and the pauses of a whole
// turn with the option off and on.
#include <gtest/gtest.h>

#include <numeric>

#include "board_text_fixture.h"
#include "draw/board_painter.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "options/option_commands.h"
#include "options/settings_file.h"
#include "platform_world.h"
#include "record/cp932.h"
#include "rules/setup.h"
#include "sound/sound.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::PlatformWorld;

std::string cp932(const std::string& utf8) { return *utf8ToCp932(utf8); }
std::string fileText(const PlatformWorld& w) { return cp932ToUtf8(w.folder.read(SETTINGS_FILE)).value_or("?"); }

constexpr const char* THREE_LINES = "背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n";

TEST(FastDisplaySetting, FirstRunAndOtherOptionsKeepTheThreeLines) {
    PlatformWorld w;
    読込_環境設定ファイル(w.game);
    EXPECT_EQ(w.folder.read(SETTINGS_FILE), cp932(THREE_LINES));
    EXPECT_FALSE(w.marks.isChecked("HAYAI_HYOUJI"));
    EXPECT_FALSE(w.game.options.fastDisplay);
    // Changing the other options never brings the fourth line in.
    SIDOU_Click(w.game);
    TAKE_Click(w.game);
    EXPECT_EQ(fileText(w), "背景画=竹\r\n移動指導=ON\r\nBGM=ON\r\n");
}

TEST(FastDisplaySetting, AThreeLineFileReadsAsOffAndStaysThreeLines) {
    PlatformWorld w;
    w.folder.write(SETTINGS_FILE, cp932(THREE_LINES));
    w.marks.setChecked("HAYAI_HYOUJI", true);  // whatever the menu showed before
    読込_環境設定ファイル(w.game);
    EXPECT_FALSE(w.game.options.fastDisplay);
    SIDOU_Click(w.game);
    EXPECT_EQ(fileText(w), "背景画=緑\r\n移動指導=ON\r\nBGM=ON\r\n");
}

TEST(FastDisplaySetting, ChoosingItWritesTheFourthLineFromThenOn) {
    PlatformWorld w;
    w.folder.write(SETTINGS_FILE, cp932(THREE_LINES));
    読込_環境設定ファイル(w.game);
    HAYAI_HYOUJI_Click(w.game);
    EXPECT_TRUE(w.marks.isChecked("HAYAI_HYOUJI"));
    EXPECT_TRUE(w.game.options.fastDisplay);
    // 速い表示 in CP932, after the three lines, CR LF like them.
    EXPECT_EQ(w.folder.read(SETTINGS_FILE), cp932(THREE_LINES) + "\x91\xac\x82\xa2\x95\x5c\x8e\xa6=ON\r\n");
    HAYAI_HYOUJI_Click(w.game);
    EXPECT_FALSE(w.game.options.fastDisplay);
    EXPECT_EQ(fileText(w), std::string(THREE_LINES) + "速い表示=OFF\r\n");
    // Turned off, the line stays: the person has made a choice.
    BGM_Click(w.game);
    EXPECT_EQ(fileText(w), "背景画=緑\r\n移動指導=OFF\r\nBGM=OFF\r\n速い表示=OFF\r\n");
}

TEST(FastDisplaySetting, AFourthLineIsReadAnywhereAndWrittenBackAsRead) {
    struct Case {
        const char* text;
        bool on;
        const char* writtenBack;  // after 移動指導 is chosen
    };
    const Case cases[] = {
        {"背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n速い表示=ON\r\n", true,
         "背景画=緑\r\n移動指導=ON\r\nBGM=ON\r\n速い表示=ON\r\n"},
        {"速い表示=ON\r\n背景画=畳\r\n移動指導=OFF\r\nBGM=OFF\r\n", true,
         "背景画=畳\r\n移動指導=ON\r\nBGM=OFF\r\n速い表示=ON\r\n"},
        {"背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n速い表示=OFF\r\n", false,
         "背景画=緑\r\n移動指導=ON\r\nBGM=ON\r\n速い表示=OFF\r\n"},
        // Only "ON" exactly turns it on; the line is kept, as off.
        {"背景画=緑\r\n速い表示=on\r\n", false, "背景画=緑\r\n移動指導=ON\r\nBGM=OFF\r\n速い表示=OFF\r\n"},
        {"速い表示=ON\n速い表示=OFF\n", false, "移動指導=ON\r\nBGM=OFF\r\n速い表示=OFF\r\n"},
    };
    for (const Case& c : cases) {
        PlatformWorld w;
        w.folder.write(SETTINGS_FILE, cp932(c.text));
        読込_環境設定ファイル(w.game);
        EXPECT_EQ(w.game.options.fastDisplay, c.on) << c.text;
        EXPECT_EQ(w.marks.isChecked("HAYAI_HYOUJI"), c.on) << c.text;
        EXPECT_EQ(w.folder.read(SETTINGS_FILE), cp932(c.text));  // reading never writes
        SIDOU_Click(w.game);
        EXPECT_EQ(fileText(w), c.writtenBack) << c.text;
    }
}

// The person's move and the computer's reply, drawn by the real painter on a
// canvas that keeps nothing, every pause reaching the recording clock.
struct TurnWorld {
    testing::FakeWorld world;
    testing::BlankCanvas canvas;
    BoardPainter painter{world.game, canvas};
    Game& game = world.game;
    TurnWorld(const Board& left, const Board& right, bool fast) {
        game.setPresentation(&painter);
        game.options.fastDisplay = fast;
        初期設定(game);
        game.board(BoardId::LEFT) = left;
        game.board(BoardId::RIGHT) = right;
        手順保存(game, 0);
        SENTE_Click(game);
        world.pauses.waits.clear();
        world.pauses.ticks = 0;
    }
    double paused() const {
        const auto& waits = world.pauses.waits;
        return std::accumulate(waits.begin(), waits.end(), 0.0) + world.pauses.ticks;  // a tick: up to a second
    }
};

const Board START = [] {
    Board b;
    setStartPosition(b);
    return b;
}();

TEST(FastDisplayPauses, AnOpeningTurnPausesAsAlwaysWhenOffAndWithinFiftyMillisecondsWhenOn) {
    TurnWorld off(START, START, false);
    testing::clickMove(off.game, BoardId::LEFT, 5, 7, 5, 5);
    // The blink of the square the person's pawn arrives on, on the other
    // board, and the move text; the two thinking pauses; the blink of the
    // computer's piece and that of its square on the other board; the
    // computer's move text and the pause after it.
    const std::vector<double> blink(4, 0.2);
    std::vector<double> expected = blink;
    for (double s : {0.3, 0.3, 0.3}) expected.push_back(s);
    for (int k = 0; k < 2; ++k) expected.insert(expected.end(), blink.begin(), blink.end());
    for (double s : {0.3, 0.5}) expected.push_back(s);
    EXPECT_EQ(off.world.pauses.waits, expected);
    EXPECT_EQ(off.world.pauses.ticks, 0);

    TurnWorld on(START, START, true);
    testing::clickMove(on.game, BoardId::LEFT, 5, 7, 5, 5);
    EXPECT_EQ(on.world.pauses.waits.size(), off.world.pauses.waits.size());
    EXPECT_GT(on.paused(), 0.0);
    EXPECT_LE(on.paused(), 0.05);
    // The same game either way: only the pauses differ.
    EXPECT_EQ(on.game.board(BoardId::LEFT), off.game.board(BoardId::LEFT));
    EXPECT_EQ(on.game.board(BoardId::RIGHT), off.game.board(BoardId::RIGHT));
}

TEST(FastDisplayPauses, TheLongestTurnStaysWithinFiftyMilliseconds) {
    // The person's rook arrives on (3,4) of the right board and takes the
    // knight there on the left board; the computer's pawn promotes on (1,8)
    // of the left board and takes the knight there on the right board.
    const Board left = testing::boardFrom({"....k...", "........", "........", "..n.....", "........", "........",
                                           "p.......", "....K..."});
    const Board right = testing::boardFrom({"....k...", "........", "........", "........", "........", "..R.....",
                                            "........", "N...K..."});
    TurnWorld off(left, right, false);
    testing::clickMove(off.game, BoardId::RIGHT, 3, 6, 3, 4);
    ASSERT_EQ(off.game.board(BoardId::LEFT).at(1, 8), BLACK_QUEEN) << "the computer promotes";
    ASSERT_EQ(off.game.board(BoardId::RIGHT).at(1, 8), EMPTY) << "and takes on the other board";
    // Every presentation pause there is, at full length: move text and
    // capture blink, thinking, blink, promotion display and highlight,
    // capture blink, move text, the pause after.
    EXPECT_EQ(off.world.pauses.ticks, 1);
    EXPECT_NEAR(off.paused(), 0.3 + 0.8 + 0.6 + 0.8 + 1.5 + 1.0 + 0.8 + 0.3 + 0.5, 1e-9);

    TurnWorld on(left, right, true);
    testing::clickMove(on.game, BoardId::RIGHT, 3, 6, 3, 4);
    EXPECT_EQ(on.game.board(BoardId::LEFT).at(1, 8), BLACK_QUEEN);
    EXPECT_EQ(on.world.pauses.ticks, 0);  // no wait for the clock's next second either
    const auto& waits = on.world.pauses.waits;
    EXPECT_LE(std::accumulate(waits.begin(), waits.end(), 0.0), 0.05);
}

TEST(FastDisplayPauses, TheOptionTakesEffectAtTheNextPause) {
    testing::FakeWorld w;
    w.game.pauses().wait(0.5);
    HAYAI_HYOUJI_Click(w.game);
    w.game.pauses().wait(0.5);
    w.game.pauses().waitTick();
    HAYAI_HYOUJI_Click(w.game);
    w.game.pauses().wait(0.5);
    ASSERT_EQ(w.pauses.waits.size(), 4u);
    EXPECT_EQ(w.pauses.waits[0], 0.5);
    EXPECT_LT(w.pauses.waits[1], 0.01);
    EXPECT_LT(w.pauses.waits[2], 0.01);  // the tick, as a short wait
    EXPECT_EQ(w.pauses.waits[3], 0.5);
    EXPECT_EQ(w.pauses.ticks, 0);
}

TEST(FastDisplayPauses, AClockStoodInForAWhileIsPacedToo) {
    testing::FakeWorld w;
    w.game.options.fastDisplay = true;
    testing::RecordingPauses other;
    Pauses* old = w.game.swapPauses(&other);
    w.game.pauses().wait(0.3);
    w.game.swapPauses(old);
    w.game.pauses().wait(0.3);
    ASSERT_EQ(other.waits.size(), 1u);
    EXPECT_LT(other.waits[0], 0.01);
    ASSERT_EQ(w.pauses.waits.size(), 1u);
    EXPECT_LT(w.pauses.waits[0], 0.01);
}

}  // namespace
}  // namespace velmora
