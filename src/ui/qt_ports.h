#pragma once
// The Qt side of the game's small ports: message boxes and piece-choice
// dialogs, pauses, menu check marks and ending the program.
#include <QHash>
#include <QPoint>
#include <QString>
#include <atomic>
#include <functional>

#include "ports/clock_port.h"
#include "ports/dialogs_port.h"
#include "ports/engine_runner_port.h"
#include "ports/menu_marks_port.h"
#include "ports/shell_port.h"

class QAction;
class QWidget;

namespace velmora::ui {

class Pictures;
class PromotionDialog;
class QtShell;

// The search engine on a thread of its own while the window keeps painting
// and its menus keep working. The window owns the stop flag: set, it ends the
// search within a few milliseconds and the search answers nothing.
class QtEngineRunner : public EngineRunner {
public:
    explicit QtEngineRunner(const std::atomic<bool>& stop) : stop_(stop) {}
    std::optional<engine::SearchResult> think(const engine::Position& position,
                                              const engine::SearchLimits& limits) override;
    bool thinking() const { return thinking_; }
    // Called with true as a search starts and false as it ends.
    void onThinking(std::function<void(bool)> notify) { notify_ = std::move(notify); }

private:
    const std::atomic<bool>& stop_;
    bool thinking_ = false;
    std::function<void(bool)> notify_;
};

// Pauses that keep painting but take no input; clicks made meanwhile are
// dropped. Once the program is to end, pauses no longer wait.
class QtClock : public Clock {
public:
    explicit QtClock(const QtShell& shell) : shell_(shell) {}
    void wait(double seconds) override;
    void waitTick() override;

private:
    const QtShell& shell_;
};

class QtDialogs : public Dialogs {
public:
    // Once the program is to end, boxes are not shown: an OK box is taken as
    // answered, a Yes/No box as No, a piece choice as closed.
    QtDialogs(QWidget* window, const Pictures& pictures, Clock& clock, const QtShell& shell);
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, bool warningIcon) override;
    std::optional<PieceCode> choosePromotion(velmora::PromotionDialog dialog, int leftTwips, int topTwips) override;
    void showPromotionDialog(velmora::PromotionDialog dialog, int leftTwips, int topTwips) override;
    void highlightPromotionButton(velmora::PromotionDialog dialog, PieceCode button) override;
    void closePromotionDialog(velmora::PromotionDialog dialog) override;
    void hidePromotionDialogs() override;
    std::optional<TimeControl> askTimeControl(TimeControl current) override;

    ui::PromotionDialog* dialog(velmora::PromotionDialog which) const;
    // The piece-choice highlight pauses on the game's clock once there is a game.
    void pauseWith(Clock& clock);
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
