#include "ui/promotion_dialog.h"

#include <QKeyEvent>
#include <QTime>
#include <QTimer>

namespace velmora::ui {
namespace {

// Button order from the top, the names of their pictures and the kinds they choose.
constexpr const char* NAMES[6] = {"QEEN", "BISYO", "NIGT", "ROOK", "PORN", "KING"};
constexpr PieceCode KINDS[6] = {BLACK_QUEEN, BLACK_BISHOP, BLACK_KNIGHT, BLACK_ROOK, BLACK_PAWN, BLACK_KING};
constexpr int BUTTON_SIZE = 40;
// The frame around the piece the keys stand on: black, 3 pixels, which reads
// on the dialog's light grey and on the buttons' faces.
constexpr int MARKER_WIDTH = 3;

QIcon iconOf(const Pictures& pictures, const QString& name) { return QIcon(QPixmap::fromImage(pictures.byName(name))); }

}  // namespace

PromotionDialog::PromotionDialog(bool blackPictures, const Pictures& pictures, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      black_(blackPictures),
      highlightSeconds_([] { return (1000 - QTime::currentTime().msec()) / 1000.0; }) {
    setObjectName(blackPictures ? "Form2" : "Form3");
    setWindowTitle(" ");
    const QString prefix = blackPictures ? "B_" : "W_";
    // One column at 350 twips from the left, 720 twips apart from 840 down.
    for (int i = 0; i < 6; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(prefix + NAMES[i]);
        normal_[i] = iconOf(pictures, prefix + NAMES[i]);
        if (i < 5) selected_[i] = iconOf(pictures, prefix + NAMES[i] + "_S");
        button->setIcon(normal_[i]);
        button->setIconSize(QSize(BUTTON_SIZE, BUTTON_SIZE));
        button->setAutoRaise(true);
        button->setGeometry(350 / 15, (840 + 720 * i) / 15 - 40, BUTTON_SIZE + 4, BUTTON_SIZE + 4);
        connect(button, &QToolButton::clicked, this, [this, i] { press(i); });
        button->installEventFilter(this);
        buttons_[i] = button;
    }
    marker_ = new QFrame(this);
    marker_->setObjectName("KeyMarker");
    marker_->setFrameStyle(QFrame::Box | QFrame::Plain);
    marker_->setLineWidth(MARKER_WIDTH);
    QPalette markerColours = marker_->palette();
    markerColours.setColor(QPalette::WindowText, Qt::black);
    marker_->setPalette(markerColours);
    marker_->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker_->hide();
    // The dialog's own keys too, for when no button has the focus yet.
    installEventFilter(this);
    setFixedSize(350 / 15 * 2 + BUTTON_SIZE + 4, (840 + 720 * 5) / 15 - 40 + BUTTON_SIZE + 24);
}

void PromotionDialog::resetChoice() {
    choice_.reset();
    chosen_ = false;
    ++shown_;
    moveTo(0);
    marker_->show();
}

void PromotionDialog::moveTo(int index) {
    current_ = index;
    const QRect around = buttons_[index]->geometry();
    marker_->setGeometry(around.adjusted(-MARKER_WIDTH, -MARKER_WIDTH, MARKER_WIDTH, MARKER_WIDTH));
    marker_->raise();
    buttons_[index]->setFocus(Qt::OtherFocusReason);
}

bool PromotionDialog::eventFilter(QObject* watched, QEvent* event) {
    // The buttons get the keys first; while the person chooses, the dialog's
    // keys are these.
    if (event->type() != QEvent::KeyPress || !marker_->isVisible()) return QDialog::eventFilter(watched, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return QDialog::eventFilter(watched, event);
    switch (keyEvent->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
        case Qt::Key_Backtab:
            if (!chosen_) moveTo((current_ + 5) % 6);
            return true;
        case Qt::Key_Down:
        case Qt::Key_Right:
        case Qt::Key_Tab:
            if (!chosen_) moveTo((current_ + 1) % 6);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            press(current_);
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

void PromotionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The keys start where the frame stands.
    if (marker_->isVisible()) buttons_[current_]->setFocus(Qt::ActiveWindowFocusReason);
}

void PromotionDialog::hideEvent(QHideEvent* event) {
    // Shown again for the computer's own choice, it shows no key frame.
    marker_->hide();
    QDialog::hideEvent(event);
}

void PromotionDialog::press(int index) {
    // The first choice holds while its highlight shows.
    if (chosen_) return;
    const PieceCode kind = KINDS[index];
    choice_ = static_cast<PieceCode>(black_ ? kind : -kind);
    if (kind == BLACK_KING) {
        accept();
        return;
    }
    chosen_ = true;
    highlight(*choice_);
    QTimer::singleShot(static_cast<int>(highlightSeconds_() * 1000), this, [this, shown = shown_] {
        if (shown != shown_ || !chosen_) return;
        chosen_ = false;
        unhighlight();
        accept();
    });
}

void PromotionDialog::highlight(PieceCode piece) {
    for (int i = 0; i < 5; ++i) {
        if (KINDS[i] == absCode(piece)) {
            buttons_[i]->setIcon(selected_[i]);
            buttons_[i]->repaint();
        }
    }
}

void PromotionDialog::unhighlight() {
    for (int i = 0; i < 6; ++i) buttons_[i]->setIcon(normal_[i]);
}

}  // namespace velmora::ui
