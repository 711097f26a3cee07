#include "draw/timeline.h"

#include <chrono>
#include <cmath>
#include <utility>

namespace velmora {

Timeline::Timeline(Canvas& screen, Timer& timer, Dialogs& boxes) : screen_(screen), timer_(timer), dialogs_(*this, boxes) {}

bool Timeline::waiting() const { return pausing_ || showing_ > 0 || !queue_.empty(); }

void Timeline::draw(std::function<void()> run) {
    if (direct_ > 0 || !waiting()) {
        run();
        return;
    }
    push({Kind::Draw, std::move(run)});
}

void Timeline::push(Entry entry) {
    queue_.push_back(std::move(entry));
    ++queued_;
}

void Timeline::drawPicture(int code, double x, double y) {
    draw([this, code, x, y] { screen_.drawPicture(code, x, y); });
}

void Timeline::drawOutline(double x, double y, double width, double height, PaletteColour colour) {
    draw([this, x, y, width, height, colour] { screen_.drawOutline(x, y, width, height, colour); });
}

void Timeline::drawText(double x, double y, const std::string& text, int pointSize, bool bold, PaletteColour colour) {
    draw([this, x, y, text, pointSize, bold, colour] { screen_.drawText(x, y, text, pointSize, bold, colour); });
}

void Timeline::fillBackground(PaletteColour colour) {
    draw([this, colour] { screen_.fillBackground(colour); });
}

void Timeline::setBackdrop(int pictureCode) {
    draw([this, pictureCode] { screen_.setBackdrop(pictureCode); });
}

void Timeline::refresh() {
    draw([this] { screen_.refresh(); });
}

void Timeline::setMarks(const std::vector<CellMark>& marks) {
    draw([this, marks] { screen_.setMarks(marks); });
}

void Timeline::direct(const std::function<void()>& drawNow) {
    ++direct_;
    drawNow();
    --direct_;
}

void Timeline::wait(double seconds) {
    if (seconds <= 0) return;
    paused_ += seconds;
    push({Kind::Pause, nullptr, seconds});
    advance();
}

void Timeline::waitTick() {
    push({Kind::Tick, nullptr, 0});
    advance();
}

double Timeline::secondsToNextTick() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 1000;
    return (1000 - static_cast<double>(ms)) / 1000.0;
}

void Timeline::then(std::function<void()> step) {
    if (!waiting()) {
        step();
        return;
    }
    push({Kind::Step, std::move(step)});
}

void Timeline::advance() {
    // A box or a step being played calls back in here; the play that ran
    // it goes on once it returns.
    if (advancing_ || catchingUp_ > 0) return;
    advancing_ = true;
    const unsigned epoch = epoch_;
    while (!pausing_ && !queue_.empty() && epoch == epoch_) {
        Entry e = std::move(queue_.front());
        queue_.pop_front();
        if (e.kind == Kind::Pause || e.kind == Kind::Tick) {
            double seconds = e.seconds;
            if (e.kind == Kind::Tick) {
                seconds = secondsToNextTick();
                paused_ += seconds;
            }
            const int ms = static_cast<int>(std::lround(seconds * 1000));
            if (ms <= 0) continue;
            pausing_ = true;
            timer_.start(ms, [this] {
                pausing_ = false;
                advance();
            });
            break;
        }
        run(e, epoch);
    }
    if (epoch == epoch_) advancing_ = false;
}

void Timeline::run(Entry& e, unsigned epoch) {
    if (e.kind == Kind::Box) ++showing_;
    // A step is an event of its own: its boxes wait only for what it queues.
    const std::uint64_t mark = std::exchange(eventMark_, e.kind == Kind::Step ? queued_ : eventMark_);
    e.run();
    if (epoch != epoch_) return;
    eventMark_ = mark;
    if (e.kind == Kind::Box) --showing_;
}

void Timeline::catchUp() { playWithoutPauses(false); }

void Timeline::playToNextStep() { playWithoutPauses(true); }

void Timeline::playWithoutPauses(bool stopAtStep) {
    timer_.stop();
    pausing_ = false;
    const unsigned epoch = epoch_;
    // A step run here that pauses leaves its pause to be skipped too.
    ++catchingUp_;
    while (!queue_.empty() && !(stopAtStep && queue_.front().kind == Kind::Step) && epoch == epoch_) {
        Entry e = std::move(queue_.front());
        queue_.pop_front();
        if (e.kind == Kind::Pause || e.kind == Kind::Tick) continue;
        run(e, epoch);
    }
    if (epoch != epoch_) return;
    --catchingUp_;
    screen_.refresh();
}

void Timeline::discard() {
    timer_.stop();
    queue_.clear();
    pausing_ = false;
    advancing_ = false;
    showing_ = 0;
    catchingUp_ = 0;
    eventMark_ = queued_;
    ++epoch_;
}

Answer Timeline::QueuedDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                                           bool warningIcon) {
    if (buttons == Buttons::Ok) {
        // Shown beside what waits, unless this event queued something before it.
        if (!t_.waiting() || t_.queued_ == t_.eventMark_) return boxes_.messageBox(text, title, buttons, warningIcon);
        t_.push({Kind::Box, [this, text, title, warningIcon] { boxes_.messageBox(text, title, Buttons::Ok, warningIcon); }});
        return Answer::Ok;
    }
    // A question is answered on a screen that shows everything before it.
    return t_.askNow([&] { return boxes_.messageBox(text, title, buttons, warningIcon); });
}

std::optional<PieceCode> Timeline::QueuedDialogs::choosePromotion(PromotionDialog dialog, int leftTwips, int topTwips) {
    return t_.askNow([&] { return boxes_.choosePromotion(dialog, leftTwips, topTwips); });
}

void Timeline::QueuedDialogs::showPromotionDialog(PromotionDialog dialog, int leftTwips, int topTwips) {
    t_.draw([this, dialog, leftTwips, topTwips] { boxes_.showPromotionDialog(dialog, leftTwips, topTwips); });
}

void Timeline::QueuedDialogs::highlightPromotionButton(PromotionDialog dialog, PieceCode button) {
    t_.draw([this, dialog, button] { boxes_.highlightPromotionButton(dialog, button); });
}

void Timeline::QueuedDialogs::closePromotionDialog(PromotionDialog dialog) {
    t_.draw([this, dialog] { boxes_.closePromotionDialog(dialog); });
}

void Timeline::QueuedDialogs::hidePromotionDialogs() {
    t_.draw([this] { boxes_.hidePromotionDialogs(); });
}

std::optional<TimeControl> Timeline::QueuedDialogs::askTimeControl(TimeControl current) {
    return t_.askNow([&] { return boxes_.askTimeControl(current); });
}

}  // namespace velmora
