// The clocks' arithmetic, the time control's text forms and the computer's
// time plan, with the time given by the test.
#include <gtest/gtest.h>

#include "timing/player_clocks.h"
#include "timing/time_plan.h"

namespace velmora {
namespace {

TEST(PlayerClocks, ChargesTheRunningSideAndAddsTheIncrementAfterItsMove) {
    PlayerClocks clock;
    clock.reset({60'000, 2'000});
    EXPECT_FALSE(clock.running());
    clock.start(Colour::White, 100.0);
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::White, 104.5), 55'500);
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::Black, 104.5), 60'000);
    EXPECT_TRUE(clock.moveMade(Colour::White, 105.0));
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::White, 999.0), 57'000);
    // Starting the other side stops nothing more: white's stands still.
    clock.start(Colour::Black, 106.0);
    clock.start(Colour::White, 110.0);
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::Black, 200.0), 56'000);
    EXPECT_EQ(clock.running(), Colour::White);
    // Starting the running side again does not restart its count.
    clock.start(Colour::White, 111.0);
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::White, 112.0), 55'000);
}

TEST(PlayerClocks, StoppedClocksKeepTheirTimeAndResetGivesBothTheFullTime) {
    PlayerClocks clock;
    clock.reset({300'000, 0});
    clock.start(Colour::Black, 10.0);
    clock.stop(40.0);
    EXPECT_FALSE(clock.running());
    // A pause of any length costs nothing; play goes on from the time left.
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::Black, 5'000.0), 270'000);
    clock.start(Colour::Black, 5'000.0);
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::Black, 5'010.0), 260'000);
    clock.reset({60'000, 1'000});
    EXPECT_FALSE(clock.running());
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::Black, 9'999.0), 60'000);
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::White, 9'999.0), 60'000);
}

TEST(PlayerClocks, PausesCountedMeanwhileAreNotCharged) {
    PlayerClocks clock;
    clock.reset({60'000, 0});
    // The computer's clock: 3 s pass, 2.5 s of them in presentation pauses.
    clock.start(Colour::Black, 50.0, 7.0);
    clock.stop(53.0, 9.5);
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::Black, 60.0), 59'500);
    // Pauses never give time back.
    clock.start(Colour::Black, 60.0, 20.0);
    clock.stop(61.0, 30.0);
    EXPECT_DOUBLE_EQ(clock.remainingMs(Colour::Black, 70.0), 59'500);
}

TEST(PlayerClocks, TimeRunOutMeansNoIncrementAndAFalseMove) {
    PlayerClocks clock;
    clock.reset({1'000, 5'000});
    clock.start(Colour::White, 0.0);
    EXPECT_FALSE(clock.timeIsUp(Colour::White, 0.999));
    EXPECT_TRUE(clock.timeIsUp(Colour::White, 1.0));
    EXPECT_FALSE(clock.moveMade(Colour::White, 1.2));
    EXPECT_TRUE(clock.timeIsUp(Colour::White, 1.2));
    // Without a control nobody's time is ever up and every move counts.
    PlayerClocks none;
    none.reset({});
    none.start(Colour::White, 0.0);
    EXPECT_FALSE(none.timeIsUp(Colour::White, 1e6));
    EXPECT_TRUE(none.moveMade(Colour::White, 1e6));
}

TEST(ClockFace, MinutesAndSecondsThenTenthsBelowTenSeconds) {
    EXPECT_EQ(clockFace(300'000), "5:00");
    EXPECT_EQ(clockFace(299'999), "4:59");
    EXPECT_EQ(clockFace(10'800'000), "180:00");
    EXPECT_EQ(clockFace(10'000), "0:10");
    EXPECT_EQ(clockFace(9'999), "0:09.9");
    EXPECT_EQ(clockFace(9'850), "0:09.8");
    EXPECT_EQ(clockFace(50), "0:00.0");
    EXPECT_EQ(clockFace(0), "0:00.0");
    EXPECT_EQ(clockFace(-2'500), "0:00.0");
}

TEST(TimeControlText, ParsesTheCommandLineFormAndRejectsTheRest) {
    EXPECT_EQ(parseTimeControl("5+0"), (TimeControl{300'000, 0}));
    EXPECT_EQ(parseTimeControl("0.5+2"), (TimeControl{30'000, 2'000}));
    EXPECT_EQ(parseTimeControl("0.1+0.1"), (TimeControl{6'000, 100}));
    EXPECT_EQ(parseTimeControl("180+60"), (TimeControl{10'800'000, 60'000}));
    for (const char* bad : {"", "5", "+", "5+", "+3", "0+0", "-1+0", "5+-1", "181+0", "5+61", "5+0+0", "a+1",
                            "1.+0", ".5+0", "5 +0", "5+0 ", "1e2+0", "0.000001+0", "nan+0"}) {
        EXPECT_FALSE(parseTimeControl(bad)) << bad;
    }
    // The dialog's range starts at half a minute.
    EXPECT_EQ(timeControlOf(0.5, 0), (TimeControl{30'000, 0}));
    EXPECT_FALSE(timeControlOf(0.4, 0));
    EXPECT_FALSE(timeControlOf(180.5, 0));
    EXPECT_FALSE(timeControlOf(10, 60.5));
    EXPECT_EQ(timeControlText({300'000, 0}), "5+0");
    EXPECT_EQ(timeControlText({900'000, 10'000}), "15+10");
    EXPECT_EQ(timeControlText({30'000, 2'500}), "0.5+2.5");
    EXPECT_EQ(timeControlText({6'000, 100}), "0.1+0.1");
    for (const TimeControl preset : TIME_CONTROL_PRESETS) EXPECT_EQ(parseTimeControl(timeControlText(preset)), preset);
}

TEST(TimePlan, KeepsWithinTheLevelsBudgetAndHalfOfWhatIsLeft) {
    EXPECT_EQ(plannedMoveMs(60'000, 0, 250, 950), 950);
    EXPECT_EQ(plannedMoveMs(60'000, 0, 250, 100), 100);
    // Half of what is left at most, however large the increment.
    EXPECT_LE(plannedMoveMs(40, 60'000, 250, 950), 20);
    EXPECT_EQ(plannedMoveMs(0, 0, 250, 950), 1);
    EXPECT_EQ(plannedMoveMs(-500, 0, 1, 950), 1);
    // Most of the increment is spent when the time left is short.
    EXPECT_GE(plannedMoveMs(3'000, 2'000, 20, 5'000), 1'400);
}

// A whole game of the longest length at each control, each search taking
// its budget and a few milliseconds more: the time never runs out.
TEST(TimePlan, TheLongestGameNeverRunsOutOfTime) {
    for (const TimeControl control : {TimeControl{60'000, 0}, TimeControl{6'000, 100}, TimeControl{6'000, 0},
                                      TimeControl{30'000, 0}}) {
        for (const double overheadMs : {0.5, 2.0, 4.0}) {
            PlayerClocks clock;
            clock.reset(control);
            double now = 0;
            for (int ownMovesLeft = 250; ownMovesLeft >= 1; --ownMovesLeft) {
                const int budget = plannedMoveMs(clock.remainingMs(Colour::Black, now), control.incrementMs,
                                                 ownMovesLeft, 950);
                clock.start(Colour::Black, now);
                now += (budget + overheadMs) / 1000;
                ASSERT_TRUE(clock.moveMade(Colour::Black, now))
                    << timeControlText(control) << " overhead " << overheadMs << " moves left " << ownMovesLeft;
            }
            EXPECT_GT(clock.remainingMs(Colour::Black, now), 0);
        }
    }
}

}  // namespace
}  // namespace velmora
