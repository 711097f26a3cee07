#include "ui/version_dialog.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "ui/qt_translation.h"

namespace velmora::ui {
namespace {

// Twips of the dialog's layout to logical pixels.
constexpr int px(int twips) { return twips / 15; }

QPushButton* button(const QString& caption, int x, int y, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(px(x), px(y), px(1575), px(375));
    return b;
}

}  // namespace

Form4::Form4(std::function<void()> homePage, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      homePage_(std::move(homePage)),
      picture_(QStringLiteral(":/version/version.png")),
      sharpPicture_(QStringLiteral(":/version/version@2x.png")) {
    setObjectName("Form4");
    setWindowTitle(windowText("バージョン情報"));
    setFixedSize(px(4995), px(1530));
    sharpPicture_.setDevicePixelRatio(2.0);
    // Made in tab order: O K first, ホームページ second.
    command2_ = button(windowText("O K"), 2880, 1080, this);
    command2_->setObjectName("Command2");
    command1_ = button(windowText("ホームページ"), 600, 1080, this);
    command1_->setObjectName("Command1");
    command2_->setFocus();
    connect(command1_, &QPushButton::clicked, this, [this] {
        if (homePage_) homePage_();
        accept();
    });
    connect(command2_, &QPushButton::clicked, this, &QDialog::accept);
    // Centred over the game window, kept on its screen.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    QRect over = parent ? parent->window()->frameGeometry() : QRect();
    if (!over.isValid() && screen) over = screen->availableGeometry();
    QRect place = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), over);
    if (screen) {
        const QRect avail = screen->availableGeometry();
        place.moveLeft(std::clamp(place.left(), avail.left(), std::max(avail.left(), avail.right() - place.width())));
        place.moveTop(std::clamp(place.top(), avail.top(), std::max(avail.top(), avail.bottom() - place.height())));
    }
    move(place.topLeft());
}

void Form4::paintEvent(QPaintEvent*) {
    // The picture at its natural size from the top-left corner, from the
    // double-size file on high-density screens.
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), devicePixelRatioF() > 1.25 ? sharpPicture_ : picture_);
}

void QtVersionDialog::showVersionDialog() {
    Form4 dialog(homePage_, window_);
    dialog.exec();
}

}  // namespace velmora::ui
