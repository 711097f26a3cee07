#include "ui/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "ui/palette.h"

namespace velmora::ui {
namespace {

int px(double twips) { return static_cast<int>(std::lround(twips / CanvasWidget::TWIPS_PER_PIXEL)); }

}  // namespace

CanvasWidget::CanvasWidget(const Pictures& pictures, QWidget* parent) : QWidget(parent), pictures_(pictures) {
    const qreal dpr = devicePixelRatioF();
    buffer_ = QImage(QSize(CLIENT_WIDTH, CLIENT_HEIGHT) * dpr, QImage::Format_RGB32);
    buffer_.setDevicePixelRatio(dpr);
    buffer_.fill(paletteColor(2));
    // The nearest Japanese serif font to the game's own, with fallbacks.
    font_.setFamilies({"IPAPMincho", "IPA P明朝", "IPAMincho", "Noto Serif CJK JP", "serif"});
    font_.setStyleHint(QFont::Serif);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(CLIENT_WIDTH, CLIENT_HEIGHT);
}

void CanvasWidget::drawPicture(int code, double x, double y) {
    const QImage& picture = pictures_.byCode(code);
    if (picture.isNull()) return;
    QPainter p(&buffer_);
    p.drawImage(QPointF(px(x), px(y)), picture);
}

void CanvasWidget::drawOutline(double x, double y, double width, double height, int colour) {
    QPainter p(&buffer_);
    p.setPen(QPen(paletteColor(colour), 1.0));
    p.setBrush(Qt::NoBrush);
    const int left = px(x), top = px(y);
    p.drawRect(QRect(left, top, px(x + width) - left, px(y + height) - top));
}

void CanvasWidget::drawText(double x, double y, const std::string& text, int pointSize, bool bold, int colour) {
    QPainter p(&buffer_);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font = font_;
    font.setPixelSize(static_cast<int>(std::lround(pointSize * 96.0 / 72.0)));
    font.setBold(bold);
    p.setFont(font);
    p.setPen(paletteColor(colour));
    p.drawText(QRectF(x / TWIPS_PER_PIXEL, y / TWIPS_PER_PIXEL, CLIENT_WIDTH, CLIENT_HEIGHT),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString::fromStdString(text));
}

void CanvasWidget::fillBackground(int colour) { buffer_.fill(paletteColor(colour)); }

void CanvasWidget::refresh() { repaint(); }

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(event->rect().topLeft(), buffer_, QRectF(QPointF(event->rect().topLeft()) * buffer_.devicePixelRatio(),
                                                          QSizeF(event->rect().size()) * buffer_.devicePixelRatio()));
    if (!painted_) {
        painted_ = true;
        emit firstFramePainted();
    }
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    int button = 4;
    if (event->button() == Qt::LeftButton) button = 1;
    if (event->button() == Qt::RightButton) button = 2;
    const QPointF pos = event->position();
    emit mouseDown(button, pos.x() * TWIPS_PER_PIXEL, pos.y() * TWIPS_PER_PIXEL);
}

}  // namespace velmora::ui
