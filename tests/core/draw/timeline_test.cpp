// The timeline: what the game draws is shown in order, its pauses are timer
// events, boxes keep their place, and steps wait for the screen.
#include "draw/timeline.h"

#include <gtest/gtest.h>

#include "event_fakes.h"

namespace velmora {
namespace {

// The screen's drawing as short lines, with the boxes in their place.
class LoggingCanvas : public Canvas {
public:
    explicit LoggingCanvas(std::vector<std::string>& log) : log_(log) {}
    void drawPicture(int code, double, double) override { log_.push_back("picture " + std::to_string(code)); }
    void drawOutline(double, double, double, double, PaletteColour) override { log_.push_back("outline"); }
    void drawText(double, double, const std::string& text, int, bool, PaletteColour) override { log_.push_back(text); }
    void fillBackground(PaletteColour) override { log_.push_back("fill"); }
    void refresh() override {}

private:
    std::vector<std::string>& log_;
};

class LoggingBoxes : public testing::ScriptedDialogs {
public:
    explicit LoggingBoxes(std::vector<std::string>& log) : log_(log) {}
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, bool icon) override {
        log_.push_back("box " + text);
        if (onBox) onBox();
        return ScriptedDialogs::messageBox(text, title, buttons, icon);
    }
    std::function<void()> onBox;

private:
    std::vector<std::string>& log_;
};

struct Line {
    std::vector<std::string> log;
    LoggingCanvas screen{log};
    LoggingBoxes boxes{log};
    testing::ManualTimer timer;
    Timeline t{screen, timer, boxes};
};

TEST(Timeline, DrawsAtOnceUntilAPauseThenInOrderOneTimerEventAPause) {
    Line l;
    l.t.drawText(0, 0, "a", 10, false, SHADOW_COLOR);
    EXPECT_EQ(l.log, std::vector<std::string>{"a"});
    l.t.wait(0.3);
    EXPECT_TRUE(l.timer.running());
    EXPECT_EQ(l.timer.pendingMs, 300);
    l.t.drawText(0, 0, "b", 10, false, SHADOW_COLOR);
    l.t.wait(0.2);
    l.t.drawText(0, 0, "c", 10, false, SHADOW_COLOR);
    // The call returned: nothing after the first pause is on the screen yet.
    EXPECT_EQ(l.log, std::vector<std::string>{"a"});
    EXPECT_TRUE(l.t.waiting());
    l.timer.fire();
    EXPECT_EQ(l.log, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(l.timer.pendingMs, 200);
    l.timer.fire();
    EXPECT_EQ(l.log, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(l.t.waiting());
    EXPECT_DOUBLE_EQ(l.t.pausedSeconds(), 0.5);
    // The clocks' band is drawn beside what waits.
    l.t.wait(1);
    l.t.direct([&] { l.t.drawText(0, 0, "clock", 10, false, SHADOW_COLOR); });
    ASSERT_FALSE(l.log.empty());
    EXPECT_EQ(l.log.back(), "clock");
}

TEST(Timeline, AnInformingBoxWaitsItsTurnAndAQuestionShowsEverythingBeforeIt) {
    Line l;
    l.t.wait(0.5);
    l.t.drawText(0, 0, "move", 10, false, SHADOW_COLOR);
    EXPECT_EQ(l.t.dialogs().messageBox("チェック", "", Buttons::Ok), Answer::Ok);
    EXPECT_TRUE(l.log.empty());
    l.t.drawText(0, 0, "after", 10, false, SHADOW_COLOR);
    l.boxes.answers = {Answer::Yes};
    // A question needs its answer now: first what came before it, without the pause.
    EXPECT_EQ(l.t.dialogs().messageBox("続けますか？", "", Buttons::YesNo), Answer::Yes);
    EXPECT_EQ(l.log, (std::vector<std::string>{"move", "box チェック", "after", "box 続けますか？"}));
    EXPECT_FALSE(l.timer.running());
    EXPECT_FALSE(l.t.waiting());
}

TEST(Timeline, ABoxOfACommandThatQueuedNothingShowsBesideWhatIsShown) {
    Line l;
    l.t.wait(0.5);
    l.t.drawText(0, 0, "move", 10, false, SHADOW_COLOR);
    // The help command's box, while the move still shows.
    const std::uint64_t outer = l.t.beginEvent();
    l.t.dialogs().messageBox("解説ファイルが見つかりません", "解説", Buttons::Ok);
    l.t.endEvent(outer);
    EXPECT_EQ(l.log, std::vector<std::string>{"box 解説ファイルが見つかりません"});
    // The move's own boxes still wait for it.
    l.t.dialogs().messageBox("チェック", "", Buttons::Ok);
    EXPECT_EQ(l.log.size(), 1u);
    l.timer.fire();
    EXPECT_EQ(l.log, (std::vector<std::string>{"box 解説ファイルが見つかりません", "move", "box チェック"}));
}

TEST(Timeline, AQuestionLeavesAWaitingStepAndItsPausesToComeAfterIt) {
    Line l;
    std::vector<std::string> steps;
    l.t.wait(0.3);
    l.t.drawText(0, 0, "before", 10, false, SHADOW_COLOR);
    l.t.then([&] {
        steps.push_back("search");
        l.t.wait(0.3);
        l.t.then([&] { steps.push_back("after its pause"); });
    });
    l.boxes.answers = {Answer::No};
    // A question from a command beside the turn (overwrite a record?).
    EXPECT_EQ(l.t.dialogs().messageBox("上書きしますか？", "", Buttons::YesNo), Answer::No);
    // What came before it was shown first; the step ran once it was
    // answered, and its own pause still waits.
    EXPECT_EQ(l.log, (std::vector<std::string>{"before", "box 上書きしますか？"}));
    EXPECT_EQ(steps, std::vector<std::string>{"search"});
    EXPECT_TRUE(l.timer.running());
    EXPECT_EQ(l.timer.pendingMs, 300);
    l.timer.fire();
    EXPECT_EQ(steps, (std::vector<std::string>{"search", "after its pause"}));
}

TEST(Timeline, StepsWaitForTheScreenAndRunInOrder) {
    Line l;
    std::vector<int> ran;
    l.t.then([&] { ran.push_back(1); });
    EXPECT_EQ(ran, std::vector<int>{1});  // nothing waited
    l.t.wait(0.3);
    l.t.then([&] {
        ran.push_back(2);
        // A step's own pause, and a step after it.
        l.t.wait(0.1);
        l.t.then([&] { ran.push_back(3); });
    });
    EXPECT_EQ(ran, std::vector<int>{1});
    l.timer.fire();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(l.timer.pendingMs, 100);
    l.timer.fire();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));

    // Caught up: every step at once, in order, its pauses skipped.
    l.t.wait(1);
    l.t.then([&] {
        ran.push_back(4);
        l.t.wait(1);
        l.t.then([&] { ran.push_back(5); });
    });
    l.t.catchUp();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(l.t.waiting());
    EXPECT_FALSE(l.timer.running());
}

TEST(Timeline, DiscardedNothingMoreIsShownNotEvenBehindAnOpenBox) {
    Line l;
    l.t.wait(0.3);
    l.t.dialogs().messageBox("first", "", Buttons::Ok);
    l.t.drawText(0, 0, "behind", 10, false, SHADOW_COLOR);
    bool stepRan = false;
    l.t.then([&] { stepRan = true; });
    // The program is told to end while the box is open.
    l.boxes.onBox = [&] { l.t.discard(); };
    l.timer.fire();
    EXPECT_EQ(l.log, std::vector<std::string>{"box first"});
    EXPECT_FALSE(stepRan);
    EXPECT_FALSE(l.t.waiting());
    EXPECT_FALSE(l.timer.running());
}

TEST(Timeline, APauseToTheNextSecondIsMeasuredWhenItIsReached) {
    Line l;
    l.t.wait(0.2);
    l.t.waitTick();
    l.timer.fire();
    ASSERT_TRUE(l.timer.running());
    EXPECT_GT(l.timer.pendingMs, 0);
    EXPECT_LE(l.timer.pendingMs, 1000);
}

}  // namespace
}  // namespace velmora
