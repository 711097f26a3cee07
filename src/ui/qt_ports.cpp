#include "ui/qt_ports.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <algorithm>
#include <cstdio>

#include "ui/promotion_dialog.h"
#include "ui/time_control_dialog.h"
#include "ui/qt_translation.h"

namespace velmora::ui {

namespace {

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

QtEngineRunner::~QtEngineRunner() { stopAll(); }

void QtEngineRunner::waitForWorkers() {
    for (QFuture<engine::SearchResult>& worker : workers_) worker.waitForFinished();
    workers_.clear();
}

void QtEngineRunner::launch(const std::shared_ptr<const SearchTask>&, const engine::Position& position,
                            const engine::SearchLimits& limits, Finished finished) {
    QFuture<engine::SearchResult> future =
        QtConcurrent::run([position, limits] { return engine::bestMove(position, limits); });
    std::erase_if(workers_, [](const QFuture<engine::SearchResult>& w) { return w.isFinished(); });
    workers_.push_back(future);
    auto* watcher = new QFutureWatcher<engine::SearchResult>(&context_);
    QObject::connect(watcher, &QFutureWatcherBase::finished, &context_, [watcher, finished = std::move(finished)] {
        const engine::SearchResult result = watcher->result();
        watcher->deleteLater();
        finished(result);
    });
    watcher->setFuture(future);
}

QtTimer::QtTimer(Deliver deliver) : deliver_(std::move(deliver)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        std::function<void()> fire = std::exchange(fire_, nullptr);
        if (fire) deliver_(fire);
    });
}

void QtTimer::start(int ms, std::function<void()> fire) {
    fire_ = std::move(fire);
    timer_.start(ms);
}

void QtTimer::stop() {
    timer_.stop();
    fire_ = nullptr;
}

QtDialogs::QtDialogs(QWidget* window, const Pictures& pictures, const QtShell& shell)
    : window_(window),
      shell_(shell),
      form2_(new ui::PromotionDialog(true, pictures, window)),
      form3_(new ui::PromotionDialog(false, pictures, window)) {}

void QtDialogs::highlightFor(std::function<double()> seconds) {
    form2_->highlightFor(seconds);
    form3_->highlightFor(seconds);
}

Answer QtDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons, bool warningIcon) {
    if (shell_.givingWay()) return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    QMessageBox box(window_);
    // A box the game gives no title (" ", "  ") carries the program's name,
    // so the window list and the title bar say whose box it is.
    QString caption = QString::fromStdString(title);
    if (caption.trimmed().isEmpty()) caption = QStringLiteral("Velmora");
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
    // Closed while a chosen piece showed its highlight: no choice after all.
    const bool accepted = d->exec() == QDialog::Accepted;
    giveBackActivation();
    return accepted ? d->choice() : std::nullopt;
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

void QtShell::warn(const std::string& line) { std::fprintf(stderr, "velmora: %s\n", line.c_str()); }

void QtShell::quit() {
    if (ending_) return;
    ending_ = true;
    std::fflush(nullptr);
    // The event loop ends once the handler that got here has returned.
    QCoreApplication::quit();
}

}  // namespace velmora::ui
