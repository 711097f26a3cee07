#include "ui/qt_ports.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <QSpacerItem>
#include <QTimer>
#include <algorithm>
#include <thread>
#include <cstdio>

#include "ui/promotion_dialog.h"
#include "ui/time_control_dialog.h"
#include "ui/qt_translation.h"

namespace velmora::ui {

namespace {

// Drops the person's input while the game pauses: a click made while the
// computer thinks or a piece blinks must not act afterwards.
class InputSwallower : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
                return true;
            default:
                return false;
        }
    }
};

// The title bar beside its text holds the window's icon and close button;
// this much room for them keeps the title from being cut short.
constexpr int TITLE_BAR_ROOM = 120;

// A message box sizes itself to its text and buttons only, and a window
// manager cuts a longer title short. A spacer across the bottom of its grid
// makes it at least as wide as the title needs.
void keepTitleWhole(QMessageBox& box, const QString& title) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid || title.trimmed().isEmpty()) return;
    const QFontMetrics titleBar(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    const QFontMetrics own(box.font());
    const int titleWidth = std::max(titleBar.horizontalAdvance(title), own.horizontalAdvance(title));
    const QMargins margins = grid->contentsMargins();
    const int width = titleWidth + TITLE_BAR_ROOM - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

void QtClock::wait(double seconds) {
    if (shell_.givingWay()) return;
    // Painting and timers go on; input is swallowed until the pause ends.
    InputSwallower swallower;
    QCoreApplication::instance()->installEventFilter(&swallower);
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::instance()->removeEventFilter(&swallower);
}

std::optional<engine::SearchResult> QtEngineRunner::think(const engine::Position& position,
                                                          const engine::SearchLimits& limits) {
    // One search at a time; a stop asked for already (the program is ending)
    // answers at once.
    if (thinking_ || stop_.load()) return std::nullopt;
    thinking_ = true;
    if (notify_) notify_(true);
    QEventLoop loop;
    engine::SearchResult result;
    engine::SearchLimits own = withTable(limits);
    own.stop = &stop_;
    std::thread worker([&loop, &result, position, own] {
        result = engine::bestMove(position, own);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The loop also returns early when the program is told to end; the stop
    // flag is set then too, so the worker is done within milliseconds.
    loop.exec();
    worker.join();
    thinking_ = false;
    if (notify_) notify_(false);
    if (stop_.load()) return std::nullopt;
    return result;
}

void QtClock::waitTick() { wait((1000 - QTime::currentTime().msec()) / 1000.0); }

QtDialogs::QtDialogs(QWidget* window, const Pictures& pictures, Clock& clock, const QtShell& shell)
    : window_(window),
      shell_(shell),
      form2_(new ui::PromotionDialog(true, pictures, clock, window)),
      form3_(new ui::PromotionDialog(false, pictures, clock, window)) {}

void QtDialogs::pauseWith(Clock& clock) {
    form2_->pauseWith(clock);
    form3_->pauseWith(clock);
}

Answer QtDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons, bool warningIcon) {
    if (shell_.givingWay()) return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    QMessageBox box(window_);
    const QString caption = QString::fromStdString(title);
    box.setWindowTitle(caption);
    box.setText(QString::fromStdString(text));
    if (warningIcon) box.setIcon(QMessageBox::Warning);
    keepTitleWhole(box, caption);
    QPushButton* yes = nullptr;
    if (buttons == Buttons::YesNo) {
        yes = box.addButton(windowText("はい"), QMessageBox::YesRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(box.addButton(windowText("いいえ"), QMessageBox::NoRole));
    } else {
        box.setEscapeButton(box.addButton("OK", QMessageBox::AcceptRole));
    }
    box.exec();
    giveBackActivation();
    if (buttons == Buttons::Ok) return Answer::Ok;
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

void QtDialogs::giveBackActivation() const {
    // The window's keys (the menu shortcuts) work only in the active window;
    // without a window manager nobody hands it back when a box closes.
    if (window_ && window_->isVisible()) window_->activateWindow();
}

ui::PromotionDialog* QtDialogs::dialog(velmora::PromotionDialog which) const {
    return which == velmora::PromotionDialog::Form2 ? form2_ : form3_;
}

void QtDialogs::place(ui::PromotionDialog* d, int leftTwips, int topTwips) const {
    const QPoint corner = window_->frameGeometry().topLeft();
    d->move(corner + offset_ + QPoint(static_cast<int>(leftTwips / 15 * scale_), static_cast<int>(topTwips / 15 * scale_)));
}

std::optional<PieceCode> QtDialogs::choosePromotion(velmora::PromotionDialog which, int leftTwips, int topTwips) {
    if (shell_.givingWay()) return std::nullopt;
    ui::PromotionDialog* d = dialog(which);
    d->resetChoice();
    place(d, leftTwips, topTwips);
    d->exec();
    giveBackActivation();
    return d->choice();
}

void QtDialogs::showPromotionDialog(velmora::PromotionDialog which, int leftTwips, int topTwips) {
    ui::PromotionDialog* d = dialog(which);
    place(d, leftTwips, topTwips);
    d->show();
    d->repaint();
}

void QtDialogs::highlightPromotionButton(velmora::PromotionDialog which, PieceCode button) {
    dialog(which)->highlight(button);
}

void QtDialogs::closePromotionDialog(velmora::PromotionDialog which) {
    dialog(which)->unhighlight();
    dialog(which)->hide();
}

void QtDialogs::hidePromotionDialogs() {
    form2_->hide();
    form3_->hide();
}

std::optional<TimeControl> QtDialogs::askTimeControl(TimeControl current) {
    if (shell_.givingWay()) return std::nullopt;
    TimeControlDialog dialog(current, window_);
    const bool set = dialog.exec() == QDialog::Accepted;
    giveBackActivation();
    if (!set || !dialog.control().on()) return std::nullopt;
    return dialog.control();
}

void QtMenuMarks::add(QAction* action) { actions_.insert(action->objectName(), action); }

void QtMenuMarks::setChecked(MenuItem item, bool checked) {
    if (QAction* a = actions_.value(QString::fromLatin1(menuItemName(item)))) a->setChecked(checked);
}

bool QtMenuMarks::isChecked(MenuItem item) const {
    const QAction* a = actions_.value(QString::fromLatin1(menuItemName(item)));
    return a && a->isChecked();
}

void QtShell::quit() {
    if (ending_) return;
    ending_ = true;
    std::fflush(nullptr);
    // The event loop ends once the handler that got here has returned.
    QCoreApplication::quit();
}

}  // namespace velmora::ui
