#pragma once
// The Qt side of the game's small ports: message boxes and piece-choice
// dialogs, pauses, menu check marks and ending the program.
#include <QFuture>
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "ports/pauses_port.h"
#include "ports/dialogs_port.h"
#include "ports/engine_runner_port.h"
#include "ports/menu_marks_port.h"
#include "ports/shell_port.h"
#include "ports/timer_port.h"

class QAction;
class QWidget;

namespace velmora::ui {

class Pictures;
class PromotionDialog;
class QtShell;

// How the window hands an event to the game: a timer's, a search's answer.
using Deliver = std::function<void(const std::function<void()>&)>;

// The search engine on a worker thread (QtConcurrent), watched by a
// QFutureWatcher whose finished signal brings the answer back to the event
// loop, where it is delivered to the game. Each search has its own stop flag
// (its SearchTask): cancelled, it ends within milliseconds and its answer is
// never delivered. One search uses the table at a time: a new one waits for
// a cancelled one to end, and the runner waits for its searches as it goes.
class QtEngineRunner : public WorkerEngineRunner {
public:
    explicit QtEngineRunner(Deliver deliver) : deliver_(std::move(deliver)) {}
    ~QtEngineRunner() override;
    // Called with true as a search starts and false as each one ends
    // (cancelled or not).
    void onThinking(std::function<void(bool)> notify) { notify_ = std::move(notify); }

protected:
    void launch(const std::shared_ptr<const SearchTask>& task, const engine::Position& position,
                const engine::SearchLimits& limits, Finished finished) override;
    void waitForWorkers() override;
    void deliver(const std::function<void()>& event) override { deliver_(event); }
    void thinkingChanged(bool thinking) override {
        if (notify_) notify_(thinking);
    }

private:
    Deliver deliver_;
    QObject context_;
    std::vector<QFuture<engine::SearchResult>> workers_;
    std::function<void(bool)> notify_;
};

// The event loop's single-shot timer, for the game's pauses; its event is
// delivered to the game as every other is.
class QtTimer : public Timer {
public:
    explicit QtTimer(Deliver deliver);
    void start(int ms, std::function<void()> fire) override;
    void stop() override;

private:
    Deliver deliver_;
    QTimer timer_;
    std::function<void()> fire_;
};

class QtDialogs : public Dialogs {
public:
    // Once the program is to end, boxes are not shown: an OK box is taken as
    // answered, a Yes/No box as No, a piece choice as closed.
    QtDialogs(QWidget* window, const Pictures& pictures, const QtShell& shell);
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, bool warningIcon) override;
    std::optional<PieceCode> choosePromotion(velmora::PromotionDialog dialog, int leftTwips, int topTwips) override;
    void showPromotionDialog(velmora::PromotionDialog dialog, int leftTwips, int topTwips) override;
    void highlightPromotionButton(velmora::PromotionDialog dialog, PieceCode button) override;
    void closePromotionDialog(velmora::PromotionDialog dialog) override;
    void hidePromotionDialogs() override;
    std::optional<TimeControl> askTimeControl(TimeControl current) override;

    ui::PromotionDialog* dialog(velmora::PromotionDialog which) const;
    // How long a chosen piece stays highlighted, in seconds: up to the clock's
    // next second, or a moment with fast display.
    void highlightFor(std::function<double()> seconds);
    // Where the picture stands in the window and its scale: the piece-choice
    // dialogs keep their place beside the board at every size.
    void setPicturePlacement(QPoint offset, double scale) {
        offset_ = offset;
        scale_ = scale;
    }

private:
    void place(ui::PromotionDialog* d, int leftTwips, int topTwips) const;
    void giveBackActivation() const;
    QWidget* window_;
    const QtShell& shell_;
    QPoint offset_;
    double scale_ = 1.0;
    ui::PromotionDialog* form2_;
    ui::PromotionDialog* form3_;
};

class QtMenuMarks : public MenuMarks {
public:
    void add(QAction* action);
    void setChecked(MenuItem item, bool checked) override;
    bool isChecked(MenuItem item) const override;

private:
    QHash<QString, QAction*> actions_;
};

// Ends the program through the event loop, so the window and everything it
// holds are torn down in order.
class QtShell : public Shell {
public:
    void quit() override;
    // One line on stderr, "velmora: " before it.
    void warn(const std::string& line) override;
    // The program has been told to end: the window's handlers do nothing more.
    bool ending() const { return ending_; }
    // An end asked for (a signal, the window closed) while a handler waits in
    // a box or a pause: the handler is let run to its end without waiting,
    // then the program ends.
    void requestEnd() { endRequested_ = true; }
    bool endRequested() const { return endRequested_; }
    // No box and no pause is to wait any more.
    bool givingWay() const { return ending_ || endRequested_; }

private:
    bool ending_ = false;
    bool endRequested_ = false;
};

}  // namespace velmora::ui
