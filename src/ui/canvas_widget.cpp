#include "ui/canvas_widget.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <utility>

#include "draw/geometry.h"
#include "ui/game_font.h"
#include "ui/palette.h"

namespace velmora::ui {
namespace {

// The one-pixel grid line of the board; outlines in every other colour are marks.
constexpr PaletteColour GRID_LINE_COLOUR = OUTLINE_COLOR;
constexpr int MARK_WIDTH = 2;

// What lies wholly outside the picture is never seen: around the picture the
// window shows the background tile instead.
bool outsidePicture(const QRect& bounds) {
    return !bounds.intersects(QRect(0, 0, PictureTransform::PICTURE_WIDTH, PictureTransform::PICTURE_HEIGHT));
}

// Everything there is, for drawing the whole overlay.
const QRect EVERYWHERE(QPoint(-(1 << 20), -(1 << 20)), QPoint(1 << 20, 1 << 20));

// A ring `width` picture pixels wide along the inside of `r`.
void fillRing(QPainter& p, const PictureTransform& t, const QRect& r, int width, const QColor& colour) {
    for (const QRect& strip : {QRect(r.left(), r.top(), r.width(), width), QRect(r.left(), r.bottom() - width + 1, r.width(), width),
                               QRect(r.left(), r.top(), width, r.height()), QRect(r.right() - width + 1, r.top(), width, r.height())}) {
        p.fillRect(t.deviceRect(strip), colour);
    }
}

}  // namespace

CanvasWidget::CanvasWidget(Pictures& pictures, QWidget* parent) : QWidget(parent), pictures_(pictures) {
    font_ = gameFont();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Small enough to tuck away, large enough to play on.
    setMinimumSize(CLIENT_WIDTH / 2, CLIENT_HEIGHT / 2);
}

QFont CanvasWidget::fontFor(int pointSize, bool bold, double deviceScale) const {
    QFont font = font_;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * 96.0 / 72.0 * deviceScale))));
    font.setBold(bold);
    return font;
}

QRect CanvasWidget::textBounds(QPointF at, const QString& text, int pointSize, bool bold) const {
    const QFontMetricsF metrics(fontFor(pointSize, bold, 1.0));
    // A pixel of slack on each side: hinting at other sizes may reach a little further.
    return QRectF(at, QSizeF(metrics.horizontalAdvance(text), metrics.height())).toAlignedRect().adjusted(-2, -2, 2, 2);
}

void CanvasWidget::drawPicture(int code, double x, double y) {
    const QSize natural = pictures_.naturalSize(code);
    const QRect bounds(QPoint(pixels(x), pixels(y)), natural);
    if (natural.isEmpty() || outsidePicture(bounds)) return;
    list_.addPicture(code, bounds);
    if (!ready()) return;
    QPainter p(&buffer_);
    renderOp(p, list_.ops().back());
    renderOverlay(p, bounds);
    changed(transform_.deviceRect(list_.ops().back().bounds));
}

void CanvasWidget::drawOutline(double x, double y, double width, double height, PaletteColour colour) {
    const int left = pixels(x), top = pixels(y);
    const QRect bounds(left, top, pixels(x + width) - left + 1, pixels(y + height) - top + 1);
    const std::optional<QRect> restore = list_.addOutline(bounds, colour, colour == GRID_LINE_COLOUR ? 1 : MARK_WIDTH);
    if (!ready()) return;
    if (restore) {
        renderRegion(*restore);
    } else {
        QPainter p(&buffer_);
        renderOp(p, list_.ops().back());
        renderOverlay(p, bounds);
    }
    changed(transform_.deviceRect(bounds));
}

void CanvasWidget::drawText(double x, double y, const std::string& text, int pointSize, bool bold, PaletteColour colour) {
    const QString s = QString::fromStdString(text);
    const QPointF at(x / TWIPS_PER_PIXEL, y / TWIPS_PER_PIXEL);
    const QRect bounds = textBounds(at, s, pointSize, bold);
    if (outsidePicture(bounds)) return;
    list_.addText(bounds, at, s, pointSize, bold, colour);
    if (!ready()) return;
    QPainter p(&buffer_);
    renderOp(p, list_.ops().back());
    renderOverlay(p, bounds);
    changed(transform_.deviceRect(list_.ops().back().bounds));
}

void CanvasWidget::fillBackground(PaletteColour colour) {
    list_.clear();
    backColour_ = colour;
    backdrop_ = -1;
    if (!ready()) return;
    buffer_.fill(qtColour(colour));
    changed(buffer_.rect());
}

void CanvasWidget::setBackdrop(int code) {
    if (code == backdrop_) return;
    backdrop_ = code;
    if (!ready()) return;
    QPainter p(&buffer_);
    const QRegion margins = QRegion(buffer_.rect()).subtracted(transform_.pictureDeviceRect());
    renderBackdrop(p, margins);
    changed(buffer_.rect());
}

void CanvasWidget::refresh() {
    ensureRendered();
    repaint();
}

const QImage& CanvasWidget::backBuffer() {
    ensureRendered();
    return buffer_;
}

void CanvasWidget::ensureRendered() {
    if (!valid_ || devicePixelRatioF() != transform_.devicePixelRatio() || buffer_.size() != size() * devicePixelRatioF()) {
        renderAll();
    }
}

void CanvasWidget::renderAll() {
    const qreal dpr = devicePixelRatioF();
    const PictureTransform t = fitted();
    if (!(t == transform_)) {
        transform_ = t;
        placeSidePanel();
        emit transformChanged(transform_);
    }
    if (buffer_.size() != size() * dpr) buffer_ = QImage(size() * dpr, QImage::Format_RGB32);
    QPainter p(&buffer_);
    const QRect picture = transform_.pictureDeviceRect();
    renderBackdrop(p, QRegion(buffer_.rect()).subtracted(picture));
    p.fillRect(picture, qtColour(backColour_));
    for (const DrawOp& op : list_.ops()) {
        if (op.alive) renderOp(p, op);
    }
    renderOverlay(p, EVERYWHERE);
    valid_ = true;
}

void CanvasWidget::renderRegion(const QRect& pictureRect) {
    const QRect device = transform_.deviceRect(pictureRect);
    QPainter p(&buffer_);
    p.setClipRect(device);
    renderBackdrop(p, QRegion(device).subtracted(transform_.pictureDeviceRect()));
    for (const DrawOp& op : list_.ops()) {
        if (op.alive && op.bounds.intersects(pictureRect)) renderOp(p, op);
    }
    renderOverlay(p, pictureRect);
}

void CanvasWidget::renderOp(QPainter& p, const DrawOp& op) {
    switch (op.kind) {
        case DrawOp::Kind::Picture: {
            const QRect target = transform_.deviceRect(op.bounds);
            const QImage& image = pictures_.atSize(op.code, target.size());
            if (!image.isNull()) p.drawImage(target.topLeft(), image);
            break;
        }
        case DrawOp::Kind::Outline:
            fillRing(p, transform_, op.bounds, op.width, qtColour(op.colour));
            break;
        case DrawOp::Kind::Text: {
            p.setRenderHint(QPainter::TextAntialiasing);
            p.setFont(fontFor(op.pointSize, op.bold, transform_.deviceScale()));
            p.setPen(qtColour(op.colour));
            const QPointF corner(transform_.deviceX(op.at.x()), transform_.deviceY(op.at.y()));
            p.drawText(QRectF(corner, QSizeF(buffer_.width(), buffer_.height())),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, op.text);
            break;
        }
    }
}

void CanvasWidget::renderBackdrop(QPainter& p, const QRegion& area) {
    if (area.isEmpty()) return;
    const QSize tile = pictures_.naturalSize(backdrop_);
    if (tile.isEmpty()) {
        for (const QRect& r : area) p.fillRect(r, qtColour(backColour_));
        return;
    }
    p.save();
    p.setClipRegion(area, Qt::IntersectClip);
    // The background's own lattice of grid cells, continued past the picture.
    const QRect bounds = area.boundingRect();
    const double left = (bounds.left() / transform_.devicePixelRatio() - transform_.offset().x()) / transform_.scale();
    const double right = (bounds.right() / transform_.devicePixelRatio() - transform_.offset().x()) / transform_.scale();
    const double top = (bounds.top() / transform_.devicePixelRatio() - transform_.offset().y()) / transform_.scale();
    const double bottom = (bounds.bottom() / transform_.devicePixelRatio() - transform_.offset().y()) / transform_.scale();
    const int firstColumn = static_cast<int>(std::floor((left * TWIPS_PER_PIXEL - LEFT_ORIGIN_X) / SQUARE_WIDTH)) - 1;
    const int lastColumn = static_cast<int>(std::ceil((right * TWIPS_PER_PIXEL - LEFT_ORIGIN_X) / SQUARE_WIDTH)) + 1;
    const int firstRow = static_cast<int>(std::floor((top * TWIPS_PER_PIXEL - ORIGIN_Y) / SQUARE_HEIGHT)) - 1;
    const int lastRow = static_cast<int>(std::ceil((bottom * TWIPS_PER_PIXEL - ORIGIN_Y) / SQUARE_HEIGHT)) + 1;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = firstRow; row <= lastRow; ++row) {
            const QRect cell(QPoint(pixels(gridX(LEFT_ORIGIN_X, column)), pixels(gridY(row))), tile);
            const QRect target = transform_.deviceRect(cell);
            p.drawImage(target.topLeft(), pictures_.atSize(backdrop_, target.size()));
        }
    }
    p.restore();
}

void CanvasWidget::changed(const QRect& device) {
    // One growing rectangle per paint: Qt merges the updates into one paint.
    const QRect r = transform_.widgetRect(device).adjusted(-1, -1, 1, 1);
    if (pending_.contains(r)) return;
    pending_ |= r;
    update(pending_);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    ensureRendered();
    pending_ = QRect();
    QPainter p(this);
    const qreal dpr = transform_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        p.drawImage(QRectF(r), buffer_, QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
    }
    if (!painted_) {
        painted_ = true;
        emit firstFramePainted();
    }
}

void CanvasWidget::resizeEvent(QResizeEvent*) { refit(); }

void CanvasWidget::refit() {
    // Drawn again at the new scale on the next paint; clicks map at once.
    valid_ = false;
    const PictureTransform t = fitted();
    if (!(t == transform_)) {
        transform_ = t;
        emit transformChanged(transform_);
    }
    placeSidePanel();
    update();
}

bool CanvasWidget::ready() {
    // A hidden window is drawn whole when it is shown again.
    if (!isVisible()) valid_ = false;
    return valid_;
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    // Another button during a drag lets the piece go where it came from.
    if (drag_.armed) endDrag();
    MouseButton button = MouseButton::Other;
    if (event->button() == Qt::LeftButton) button = MouseButton::Left;
    if (event->button() == Qt::RightButton) button = MouseButton::Right;
    lastPress_ = event->position().toPoint();
    const QPointF twips = transform_.toTwips(event->position());
    emit mouseDown(button, twips.x(), twips.y());
}

void CanvasWidget::renderOverlay(QPainter& p, const QRect& area) {
    if (drag_.moving && drag_.origin.intersects(area)) {
        // The square the piece was lifted from, with its outlines.
        const QRect target = transform_.deviceRect(drag_.origin);
        const QImage& empty = pictures_.atSize(drag_.emptyCode, target.size());
        if (!empty.isNull()) p.drawImage(target.topLeft(), empty);
        for (const DrawOp& op : list_.ops()) {
            if (op.alive && op.kind == DrawOp::Kind::Outline && op.bounds.intersects(drag_.origin)) renderOp(p, op);
        }
    }
    for (const Mark& m : marks_) {
        if (m.cell.intersects(area)) renderMark(p, m.cell, m.colour);
    }
    // Inside the last move's ring, so that all of them stay in view on one square.
    if (cursor_ && cursor_->cell.intersects(area)) renderMark(p, cursor_->cell, cursor_->colour, 2);
    if (drag_.moving && floatingBounds().intersects(area)) {
        const QSizeF size = drag_.origin.size();
        const QRect target = transform_.deviceRect(QRectF(drag_.pointer - QPointF(size.width() / 2, size.height() / 2), size));
        p.drawImage(target.topLeft(), floatingPiece(target.size()));
    }
}

void CanvasWidget::renderMark(QPainter& p, const QRect& cell, PaletteColour colour, int inset) {
    // Inside the outline a selection or the guidance draws on the same cell.
    const int d = MARK_WIDTH * inset;
    fillRing(p, transform_, cell.adjusted(d, d, -d, -d), MARK_WIDTH, qtColour(colour));
}

namespace {

QRect markCell(const CellMark& m) {
    const int left = CanvasWidget::pixels(m.x), top = CanvasWidget::pixels(m.y);
    return QRect(left, top, CanvasWidget::pixels(m.x + m.width) - left + 1, CanvasWidget::pixels(m.y + m.height) - top + 1);
}

}  // namespace

void CanvasWidget::redrawCells(const std::vector<QRect>& cells) {
    if (!ready()) return;
    for (const QRect& cell : cells) {
        renderRegion(cell);
        changed(transform_.deviceRect(cell));
    }
}

void CanvasWidget::setMarks(const std::vector<CellMark>& marks) {
    std::vector<Mark> next;
    for (const CellMark& m : marks) next.push_back({markCell(m), m.colour});
    if (next == marks_) return;
    const std::vector<Mark> old = std::exchange(marks_, next);
    std::vector<QRect> cells;
    for (const std::vector<Mark>* list : {&old, static_cast<const std::vector<Mark>*>(&marks_)}) {
        for (const Mark& m : *list) cells.push_back(m.cell);
    }
    redrawCells(cells);
}

void CanvasWidget::setKeyCursor(const std::optional<CellMark>& cursor) {
    std::optional<Mark> next;
    if (cursor) next = Mark{markCell(*cursor), cursor->colour};
    if (next == cursor_) return;
    const std::optional<Mark> old = std::exchange(cursor_, next);
    std::vector<QRect> cells;
    if (old) cells.push_back(old->cell);
    if (cursor_) cells.push_back(cursor_->cell);
    redrawCells(cells);
}

PictureTransform CanvasWidget::fitted() const {
    const double dpr = devicePixelRatioF();
    return sidePanelShown() ? PictureTransform::fitBesidePanel(size(), dpr) : PictureTransform::fit(size(), dpr);
}

void CanvasWidget::setSidePanel(QWidget* panel) {
    sidePanel_ = panel;
    showSidePanel(sidePanelWanted_);
}

bool CanvasWidget::sidePanelShown() const {
    return sidePanel_ && sidePanelWanted_ && PictureTransform::roomForPanel(size());
}

void CanvasWidget::showSidePanel(bool shown) {
    sidePanelWanted_ = shown;
    refit();
}

void CanvasWidget::setSidePanelFoot(QWidget* foot) {
    sidePanelFoot_ = foot;
    placeSidePanel();
}

void CanvasWidget::showSidePanelFoot(bool shown, double share) {
    footWanted_ = shown;
    footShare_ = share;
    placeSidePanel();
}

void CanvasWidget::placeSidePanel() {
    if (!sidePanel_) return;
    const bool shown = sidePanelShown();
    const bool footShown = shown && sidePanelFoot_ && footWanted_;
    if (shown) {
        // Beside the picture, as tall as the picture; the foot takes its
        // share of it at the bottom.
        const int width = PictureTransform::panelWidth(transform_.scale());
        const QRect picture = transform_.widgetRect(transform_.pictureDeviceRect());
        const int footHeight = footShown ? static_cast<int>(picture.height() * footShare_) : 0;
        sidePanel_->setGeometry(this->width() - width, picture.top(), width, picture.height() - footHeight);
        if (footShown) {
            sidePanelFoot_->setGeometry(this->width() - width, picture.bottom() + 1 - footHeight, width, footHeight);
        }
    }
    sidePanel_->setVisible(shown);
    if (sidePanelFoot_) sidePanelFoot_->setVisible(footShown);
}

}  // namespace velmora::ui
