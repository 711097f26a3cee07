// Dragging a piece: after the press has selected one of the mover's pieces,
// the piece follows the pointer, drawn over the back buffer, and its square
// shows empty until the button is released.
#include <QApplication>
#include <QMouseEvent>
#include <cstdlib>

#include "draw/geometry.h"
#include "ui/canvas_widget.h"

namespace velmora::ui {
namespace {

// A piece picture's pixels that are its square's, not the figure's: they
// match the empty square of the same shade.
bool squarePixel(QRgb piece, QRgb square) {
    return std::abs(qRed(piece) - qRed(square)) + std::abs(qGreen(piece) - qGreen(square)) +
               std::abs(qBlue(piece) - qBlue(square)) <=
           24;
}

}  // namespace

void CanvasWidget::armDrag(double xTwips, double yTwips, MouseButton button) {
    const QRect cell(QPoint(pixels(xTwips), pixels(yTwips)), pictures_.naturalSize(PIC_EMPTY_0));
    const std::optional<int> code = list_.pictureAt(cell);
    if (!code || !isPiecePicture(*code) || button == MouseButton::Other) return;
    drag_ = {};
    drag_.armed = true;
    drag_.button = button == MouseButton::Left ? Qt::LeftButton : Qt::RightButton;
    drag_.gameButton = button;
    drag_.pressedAt = lastPress_;
    drag_.origin = cell;
    drag_.pieceCode = *code;
    // The piece's picture code ends in the square's shade.
    drag_.emptyCode = std::abs(*code) % 10 == 0 ? PIC_EMPTY_0 : PIC_EMPTY_1;
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!drag_.armed) return;
    if (!(event->buttons() & drag_.button)) {
        // The release went elsewhere (a box was open): the drag is over.
        endDrag();
        return;
    }
    const bool starting = !drag_.moving;
    if (starting && (event->position().toPoint() - drag_.pressedAt).manhattanLength() < QApplication::startDragDistance()) {
        return;  // still a click
    }
    const QRect before = starting ? drag_.origin : floatingBounds();
    drag_.moving = true;
    drag_.pointer = transform_.toPicture(event->position());
    if (!ready()) return;
    for (const QRect& r : {before, floatingBounds()}) {
        renderRegion(r);
        changed(transform_.deviceRect(r));
    }
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!drag_.armed || event->button() != drag_.button) return;
    const bool moved = drag_.moving;
    const MouseButton button = drag_.gameButton;
    endDrag();
    const QPointF twips = transform_.toTwips(event->position());
    // Without moving it was a click, which the game's press has handled.
    if (!moved) {
        emit releasedInPlace(button, twips.x(), twips.y());
        return;
    }
    emit pieceDropped(button, twips.x(), twips.y());
}

void CanvasWidget::endDrag() {
    const bool moving = drag_.moving;
    const QRect origin = drag_.origin;
    const QRect floating = floatingBounds();
    drag_ = {};
    if (!moving || !ready()) return;
    for (const QRect& r : {origin, floating}) {
        renderRegion(r);
        changed(transform_.deviceRect(r));
    }
}

QRect CanvasWidget::floatingBounds() const {
    const QSizeF size = drag_.origin.size();
    return QRectF(drag_.pointer - QPointF(size.width() / 2, size.height() / 2), size).toAlignedRect().adjusted(-1, -1, 1, 1);
}

const QImage& CanvasWidget::floatingPiece(QSize deviceSize) {
    const quint64 key = (quint64(quint32(drag_.pieceCode)) << 32) | (quint64(deviceSize.width()) << 16) | quint64(deviceSize.height());
    if (key == floatingKey_ && !floating_.isNull()) return floating_;
    // Copies: the pictures' cache may drop a size when asked for another.
    const QImage piece = pictures_.atSize(drag_.pieceCode, deviceSize);
    const QImage square = pictures_.atSize(drag_.emptyCode, deviceSize);
    floating_ = piece.convertToFormat(QImage::Format_ARGB32);
    if (square.size() == piece.size()) {
        for (int y = 0; y < floating_.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(floating_.scanLine(y));
            const auto* under = reinterpret_cast<const QRgb*>(square.constScanLine(y));
            for (int x = 0; x < floating_.width(); ++x) {
                if (squarePixel(line[x], under[x])) line[x] = 0;
            }
        }
    }
    floatingKey_ = key;
    return floating_;
}

}  // namespace velmora::ui
