#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ports/canvas_port.h"
#include "ports/pauses_port.h"
#include "ports/dialogs_port.h"
#include "ports/sequencer_port.h"
#include "ports/timer_port.h"

namespace velmora {

// What the window shows of the game, in order and with its pauses, played
// by timer events. The game runs ahead: a move is on the boards as soon as
// it is made, and everything it draws (squares, blinks, texts, boxes that
// only inform) is queued here with the pauses between, then played out on
// the screen one timer event after another, never in a loop that holds the
// event loop. Meanwhile every command is handled. A step that must follow
// what is being shown (the computer's search after the person's move, the
// end of the game after the last move) waits here too.
class Timeline final : public Canvas, public Pauses, public Sequencer {
public:
    // Shows on `screen`, times its pauses with `timer`, and shows the game's
    // boxes through `boxes`.
    Timeline(Canvas& screen, Timer& timer, Dialogs& boxes);
    Timeline(const Timeline&) = delete;
    Timeline& operator=(const Timeline&) = delete;

    // Canvas: drawn now when nothing waits, else queued behind what does.
    void drawPicture(int code, double x, double y) override;
    void drawOutline(double x, double y, double width, double height, int colour) override;
    void drawText(double x, double y, const std::string& text, int pointSize, bool bold, int colour) override;
    void fillBackground(int colour) override;
    void setBackdrop(int pictureCode) override;
    void refresh() override;
    void setMarks(const std::vector<CellMark>& marks) override;

    // Pauses: a pause is queued, never waited for in the call.
    void wait(double seconds) override;
    // A pause up to the next second of the time of day, measured when the
    // pause is reached.
    void waitTick() override;

    // Sequencer
    void then(std::function<void()> step) override;
    void catchUp() override;
    void discard() override;
    bool waiting() const override;

    // The game's boxes in their place in the timeline: a box that only
    // informs waits for what the event raising it has queued before it (a
    // move's check box after the move's blink); a box of a command that
    // queued nothing (help, saving) shows at once, beside what is being
    // shown. A box that asks (Yes/No, a piece, a time control) first shows
    // at once everything before it.
    Dialogs& dialogs() { return dialogs_; }

    // An event from outside (a command, a click, a timer, a search's
    // answer) is being handed to the game: its boxes wait only for what it
    // queues itself. Returns the mark of the event it may be nested in, for
    // endEvent.
    std::uint64_t beginEvent() { return std::exchange(eventMark_, queued_); }
    void endEvent(std::uint64_t outer) { eventMark_ = outer; }

    // Runs `draw` with its drawing straight on the screen, beside whatever
    // is queued (the players' clocks, which have a band of their own).
    void direct(const std::function<void()>& draw);

    // How long the pauses already queued or played have been, in seconds
    // (a pause to the next second counts as it is played).
    double pausedSeconds() const { return paused_; }

private:
    enum class Kind { Draw, Pause, Tick, Box, Step };
    struct Entry {
        Kind kind;
        std::function<void()> run;
        double seconds = 0;
    };
    class QueuedDialogs final : public Dialogs {
    public:
        QueuedDialogs(Timeline& timeline, Dialogs& boxes) : t_(timeline), boxes_(boxes) {}
        Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, bool warningIcon) override;
        std::optional<PieceCode> choosePromotion(PromotionDialog dialog, int leftTwips, int topTwips) override;
        void showPromotionDialog(PromotionDialog dialog, int leftTwips, int topTwips) override;
        void highlightPromotionButton(PromotionDialog dialog, PieceCode button) override;
        void closePromotionDialog(PromotionDialog dialog) override;
        void hidePromotionDialogs() override;
        std::optional<TimeControl> askTimeControl(TimeControl current) override;

    private:
        Timeline& t_;
        Dialogs& boxes_;
    };

    // Shows at once what waits up to the next step, for a question: the
    // step (the computer's search, say) keeps its place and its own pauses.
    void playToNextStep();
    // Plays what waits at once, its pauses skipped: everything, or up to the next step.
    void playWithoutPauses(bool stopAtStep);
    // Asks through `ask` on a screen that shows everything before the
    // question, then plays on.
    template <typename Ask>
    auto askNow(Ask ask) {
        playToNextStep();
        auto answer = ask();
        advance();
        return answer;
    }
    // A drawing: now on the screen when nothing waits, else queued.
    void draw(std::function<void()> run);
    void push(Entry entry);
    // Plays one entry that is not a pause (unless the timeline is discarded meanwhile).
    void run(Entry& e, unsigned epoch);
    // Plays what waits up to the next pause, whose timer then plays on.
    void advance();
    // The length of a pause to the next second, as it is reached.
    static double secondsToNextTick();

    Canvas& screen_;
    Timer& timer_;
    QueuedDialogs dialogs_;
    std::deque<Entry> queue_;
    bool pausing_ = false;   // a pause's timer runs
    bool advancing_ = false; // advance() plays entries (maybe inside a box)
    int showing_ = 0;        // boxes being shown, which the rest waits for
    int catchingUp_ = 0;     // catchUp() runs: no pause is waited for
    // Entries queued so far, and how many when the current event or step began.
    std::uint64_t queued_ = 0;
    std::uint64_t eventMark_ = 0;
    int direct_ = 0;
    double paused_ = 0;
    // Counts discards: an entry being played when the timeline was
    // discarded stops the play that ran it.
    unsigned epoch_ = 0;
};

}  // namespace velmora
