// The players' clocks in the game: who pays for what, pauses, the flag in
// each kind of game, the computer's clock and time plan, and the 持ち時間
// menu. The window calls followClock after every command and clockTick on
// its timer; these tests do the same by hand, with the fake clock's time.
#include <gtest/gtest.h>

#include "clock/game_clock.h"
#include "com/com_state.h"
#include "com/level.h"
#include "fakes.h"
#include "flow/clock_commands.h"
#include "flow/game_flow.h"
#include "record/replay.h"
#include "test_support.h"

namespace velmora {
namespace {

constexpr TimeControl ONE_PLUS_TWO{60'000, 2'000};

// The engine as the window runs it, taking `seconds` of the clock's time
// for each search and noting the limits it was given.
struct TimedEngine : EngineRunner {
    testing::RecordingPauses* pauses = nullptr;
    double seconds = 0;
    std::vector<engine::SearchLimits> asked;
    std::optional<engine::SearchResult> think(const engine::Position& p, const engine::SearchLimits& limits) override {
        asked.push_back(limits);
        pauses->time += seconds;
        return engine::bestMove(p, 20);
    }
};

struct ClockWorld : testing::FakeWorld {
    TimedEngine engine;
    explicit ClockWorld(TimeControl control) : FakeWorld(&engine) {
        engine.pauses = &pauses;
        game.options.timeControl = control;
        初期設定(game);
    }
    // A command as the window runs it: the clocks follow what it did.
    template <typename F>
    auto command(F f) {
        auto outcome = f();
        followClock(game);
        return outcome;
    }
    void startBetweenPeople() {
        command([&] { return START_Click(game), 0; });
    }
    void startAgainstComputer(int level) {
        LEVEL_Click(game, level);
        command([&] { return SENTE_Click(game), 0; });
    }
    GameOutcome move(int fromFile, int fromRank, int toFile, int toRank) {
        return command([&] { return testing::clickMove(game, BoardId::LEFT, fromFile, fromRank, toFile, toRank); });
    }
    double left(Colour c) const { return game.playerClocks.remainingMs(c, pauses.time); }
    std::vector<std::string> boxTexts() const { return dialogs.titledTexts(); }
};

TEST(GameClock, BetweenPeopleTheMoverPaysAndGetsTheIncrementThenTheOtherClockRuns) {
    ClockWorld w(ONE_PLUS_TWO);
    w.startBetweenPeople();
    EXPECT_EQ(w.game.playerClocks.running(), Colour::White);
    w.pauses.time += 4;
    w.move(5, 7, 5, 5);  // e2-e4
    EXPECT_DOUBLE_EQ(w.left(Colour::White), 58'000);
    EXPECT_EQ(w.game.playerClocks.running(), Colour::Black);
    w.pauses.time += 3;
    EXPECT_DOUBLE_EQ(w.left(Colour::Black), 57'000);
    w.move(5, 2, 5, 4);  // e7-e5
    EXPECT_DOUBLE_EQ(w.left(Colour::Black), 59'000);
    EXPECT_DOUBLE_EQ(w.left(Colour::White), 58'000);
    EXPECT_EQ(w.game.playerClocks.running(), Colour::White);
}

TEST(GameClock, APauseStopsBothAndPlayGoesOnWithTheTimesAsTheyStood) {
    ClockWorld w(ONE_PLUS_TWO);
    w.startBetweenPeople();
    w.pauses.time += 4;
    w.move(5, 7, 5, 5);  // e2-e4, white 58 s
    w.pauses.time += 3;
    w.move(5, 2, 5, 4);  // e7-e5, black 59 s
    w.pauses.time += 1;
    w.move(4, 7, 4, 5);  // d2-d4, white 59 s
    w.pauses.time += 2;   // black 57 s
    // 戻, 戻, 進, 戻: stepped back, nobody's clock runs.
    for (auto step : {&REPLAY_Click, &REPLAY_Click, &AFTER_Click, &REPLAY_Click}) {
        w.command([&] { return step(w.game), 0; });
        EXPECT_FALSE(w.game.playerClocks.running());
        w.pauses.time += 100;
        EXPECT_DOUBLE_EQ(w.left(Colour::White), 59'000);
        EXPECT_DOUBLE_EQ(w.left(Colour::Black), 57'000);
    }
    // Taken up again after white's first move with a click ("OKですか？"):
    // black's clock goes on from where it stood.
    w.command([&] { return testing::clickSquare(w.game, BoardId::LEFT, 1, 4); });
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().text, "OKですか？");
    EXPECT_EQ(w.game.playerClocks.running(), Colour::Black);
    w.pauses.time += 1;
    EXPECT_DOUBLE_EQ(w.left(Colour::Black), 56'000);
    // 最初: a new board with both clocks full and stopped.
    w.command([&] { return CANCEL_Click(w.game), 0; });
    EXPECT_FALSE(w.game.playerClocks.running());
    EXPECT_DOUBLE_EQ(w.left(Colour::White), 60'000);
    EXPECT_DOUBLE_EQ(w.left(Colour::Black), 60'000);
}

TEST(GameClock, TheFlagEndsTheGameForTheSideWhoseTimeRanOut) {
    struct Case {
        bool againstComputer;
        bool blackToMove;
        std::string flag, result;
    };
    for (const Case& c : {Case{false, false, "先手の時間切れです", "後手の勝ちです"},
                          Case{false, true, "後手の時間切れです", "先手の勝ちです"},
                          Case{true, false, "あなたの時間切れです", "ｺﾝﾋﾟｭｰﾀの勝ちです"}}) {
        ClockWorld w(ONE_PLUS_TWO);
        if (c.againstComputer) {
            w.startAgainstComputer(3);
        } else {
            w.startBetweenPeople();
            if (c.blackToMove) w.move(5, 7, 5, 5);
        }
        w.dialogs.boxes.clear();
        w.pauses.time += 59.9;
        EXPECT_EQ(clockTick(w.game), GameOutcome::Continues);
        EXPECT_TRUE(w.dialogs.boxes.empty());
        w.pauses.time += 2.5;
        // 続けますか？ answered No: the program ends.
        EXPECT_EQ(clockTick(w.game), GameOutcome::ProgramEnds) << c.flag;
        EXPECT_EQ(w.boxTexts(), (std::vector<std::string>{"時間切れ|" + c.flag, "終了|" + c.result, "再ゲーム|続けますか？"}));
        EXPECT_TRUE(w.shell.quitRequested);
    }
}

TEST(GameClock, AMoveMadeAfterTheTimeRanOutIsNotPlayed) {
    ClockWorld w(ONE_PLUS_TWO);
    w.startBetweenPeople();
    // The window's tick did not come round before the click (a dialog of the move, say).
    w.pauses.time += 61;
    w.dialogs.boxes.clear();
    EXPECT_EQ(w.move(5, 7, 5, 5), GameOutcome::ProgramEnds);
    const std::vector<std::string> boxes = w.boxTexts();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front(), "時間切れ|先手の時間切れです");
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(5, 7), WHITE_PAWN);
    EXPECT_EQ(w.game.state.lastMoveNumber, 0);
}

TEST(GameClock, TheComputerPaysForItsSearchOnlyNotForItsPauses) {
    for (int level : {3, MAX_LEVEL}) {
        ClockWorld w(ONE_PLUS_TWO);
        w.engine.seconds = 0.25;
        w.startAgainstComputer(level);
        w.pauses.time += 1;
        const double before = w.pauses.time;
        w.move(5, 7, 5, 5);
        // The turn's pauses took time, and the computer's reply is on the boards.
        EXPECT_GT(w.pauses.time - before, 0.5) << level;
        EXPECT_EQ(w.game.state.lastMoveNumber, 2) << level;
        EXPECT_DOUBLE_EQ(w.left(Colour::White), 61'000) << level;
        const double searched = level == 3 ? 0 : 250;
        EXPECT_DOUBLE_EQ(w.left(Colour::Black), 62'000 - searched) << level;
        EXPECT_EQ(w.game.playerClocks.running(), Colour::White) << level;
    }
}

TEST(GameClock, TheComputerLosesWhenItsSearchOutlastsItsTime) {
    ClockWorld w({3'000, 0});
    w.engine.seconds = 5;
    w.startAgainstComputer(MAX_LEVEL);
    w.dialogs.boxes.clear();
    EXPECT_EQ(w.move(5, 7, 5, 5), GameOutcome::ProgramEnds);
    EXPECT_EQ(w.boxTexts(),
              (std::vector<std::string>{"時間切れ|ｺﾝﾋﾟｭｰﾀの時間切れです", "終了|あなたの勝ちです", "再ゲーム|続けますか？"}));
    // Its move was not played.
    EXPECT_EQ(w.game.state.lastMoveNumber, 1);
}

TEST(GameClock, TheComputerPlansItsSearchFromTheTimeItHasLeft) {
    ClockWorld w({60'000, 0});
    w.startAgainstComputer(MAX_LEVEL);
    w.move(5, 7, 5, 5);
    ASSERT_EQ(w.engine.asked.size(), 1u);
    // A minute is plenty: the level's own budget.
    EXPECT_EQ(w.engine.asked[0].timeMs, FULL_ENGINE_TIME_MS);
    ClockWorld shortOfTime({6'000, 0});
    shortOfTime.startAgainstComputer(MAX_LEVEL);
    shortOfTime.move(5, 7, 5, 5);
    ASSERT_EQ(shortOfTime.engine.asked.size(), 1u);
    EXPECT_GT(shortOfTime.engine.asked[0].timeMs, 50);
    EXPECT_LT(shortOfTime.engine.asked[0].timeMs, 300);
    // Without a clock each level searches at its own budget.
    ClockWorld none({});
    none.startAgainstComputer(MAX_LEVEL);
    none.move(5, 7, 5, 5);
    EXPECT_EQ(none.engine.asked.at(0).timeMs, FULL_ENGINE_TIME_MS);
    EXPECT_FALSE(none.game.playerClocks.running());
}

TEST(TimeControlMenu, AChoiceShowsAtOnceBeforeTheFirstMoveAndWaitsForTheNextGameAfterIt) {
    ClockWorld w({});
    chooseTimeControl(w.game, TIME_CONTROL_PRESETS[2]);  // 5+0
    EXPECT_TRUE(w.marks.isChecked("TIME_5_0"));
    EXPECT_FALSE(w.marks.isChecked("TIME_NONE"));
    EXPECT_DOUBLE_EQ(w.left(Colour::White), 300'000);
    w.startBetweenPeople();
    w.pauses.time += 10;
    w.move(5, 7, 5, 5);
    // Mid-game the running game keeps its control.
    chooseTimeControl(w.game, TimeControl{});
    EXPECT_TRUE(w.marks.isChecked("TIME_NONE"));
    EXPECT_FALSE(w.marks.isChecked("TIME_5_0"));
    EXPECT_TRUE(w.game.playerClocks.on());
    EXPECT_DOUBLE_EQ(w.left(Colour::White), 290'000);
    // The next game starts without clocks.
    w.startBetweenPeople();
    EXPECT_FALSE(w.game.playerClocks.on());
    EXPECT_FALSE(w.game.playerClocks.running());
}

TEST(TimeControlMenu, TheDialogSetsAControlOfItsOwnAndClosedChangesNothing) {
    ClockWorld w({});
    w.dialogs.timeControls = {TimeControl{90'000, 3'000}, std::nullopt};
    setTimeControlClick(w.game);
    EXPECT_EQ(w.game.options.timeControl, (TimeControl{90'000, 3'000}));
    EXPECT_TRUE(w.marks.isChecked("TIME_CUSTOM"));
    EXPECT_FALSE(w.marks.isChecked("TIME_NONE"));
    setTimeControlClick(w.game);
    EXPECT_EQ(w.game.options.timeControl, (TimeControl{90'000, 3'000}));
    EXPECT_TRUE(w.marks.isChecked("TIME_CUSTOM"));
    // The dialog opened on the control in force (5+0 when there was none).
    EXPECT_EQ(w.dialogs.askedTimeControls, (std::vector<TimeControl>{TIME_CONTROL_PRESETS[2], {90'000, 3'000}}));
    // A preset chosen in the dialog is marked as the preset.
    w.dialogs.timeControls = {TIME_CONTROL_PRESETS[0]};
    setTimeControlClick(w.game);
    EXPECT_TRUE(w.marks.isChecked("TIME_1_0"));
    EXPECT_FALSE(w.marks.isChecked("TIME_CUSTOM"));
}

}  // namespace
}  // namespace velmora
