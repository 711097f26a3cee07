#pragma once
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <cmath>

namespace velmora::ui {

// Maps the game's fixed picture (860 x 446 logical pixels, 15 twips each) onto
// a client area of any size: one uniform scale, centred, in device pixels.
// Mouse positions come back through the inverse.
class PictureTransform {
public:
    static constexpr int PICTURE_WIDTH = 860;
    static constexpr int PICTURE_HEIGHT = 446;
    static constexpr double TWIPS_PER_PIXEL = 15.0;
    // The move list beside the picture, in picture pixels at the natural
    // size; it grows and shrinks with the picture.
    static constexpr int PANEL_WIDTH = 180;

    PictureTransform() = default;
    PictureTransform(double scale, QPointF offset, double devicePixelRatio)
        : scale_(scale), offset_(offset), dpr_(devicePixelRatio) {}

    // The largest uniform scale that fits the client area. Within 3 % of the
    // natural size the picture is drawn unscaled, pixel for pixel, and a
    // frame a few pixels off the nominal size crops or pads a little instead.
    static PictureTransform fit(QSize client, double devicePixelRatio) {
        double scale = std::min(client.width() / double(PICTURE_WIDTH), client.height() / double(PICTURE_HEIGHT));
        if (std::abs(scale - 1.0) < 0.03) scale = 1.0;
        if (scale <= 0) scale = 1.0;
        // Whole device pixels for the offset keep the artwork on the pixel grid.
        const double dx = std::round((client.width() - PICTURE_WIDTH * scale) / 2 * devicePixelRatio);
        const double dy = std::round((client.height() - PICTURE_HEIGHT * scale) / 2 * devicePixelRatio);
        return {scale, QPointF(dx / devicePixelRatio, dy / devicePixelRatio), devicePixelRatio};
    }

    // Room for the move list beside the picture: the picture at no less than
    // its natural size with the list beside it, or, where the height limits
    // the picture, the picture and the list at the scale the height allows
    // side by side in the width.
    static bool roomForPanel(QSize client) {
        if (client.width() >= PICTURE_WIDTH + PANEL_WIDTH && client.height() >= PICTURE_HEIGHT) return true;
        const double heightScale = client.height() / double(PICTURE_HEIGHT);
        return heightScale > 0 && client.width() >= (PICTURE_WIDTH + PANEL_WIDTH) * heightScale;
    }
    // The picture and the move list scaled together into the client area,
    // the list at the right edge, the picture centred in the rest.
    static PictureTransform fitBesidePanel(QSize client, double devicePixelRatio) {
        double scale = std::min(client.width() / double(PICTURE_WIDTH + PANEL_WIDTH), client.height() / double(PICTURE_HEIGHT));
        if (std::abs(scale - 1.0) < 0.03) scale = 1.0;
        // The width the list leaves at that scale, the picture centred in it.
        const double rest = client.width() - panelWidth(scale);
        const double dx = std::round((rest - PICTURE_WIDTH * scale) / 2 * devicePixelRatio);
        const double dy = std::round((client.height() - PICTURE_HEIGHT * scale) / 2 * devicePixelRatio);
        return {scale, QPointF(dx / devicePixelRatio, dy / devicePixelRatio), devicePixelRatio};
    }
    // The move list's width in the window at a scale of the picture.
    static int panelWidth(double scale) { return static_cast<int>(std::lround(PANEL_WIDTH * scale)); }

    double scale() const { return scale_; }
    double devicePixelRatio() const { return dpr_; }
    QPointF offset() const { return offset_; }
    // Device pixels per picture pixel.
    double deviceScale() const { return scale_ * dpr_; }

    // Picture pixels to widget (logical) coordinates and back.
    QPointF toWidget(QPointF picture) const { return offset_ + picture * scale_; }
    QPointF toPicture(QPointF widget) const { return (widget - offset_) / scale_; }
    QPointF toTwips(QPointF widget) const { return toPicture(widget) * TWIPS_PER_PIXEL; }

    // A picture-pixel position to device pixels, unrounded.
    double deviceX(double x) const { return (offset_.x() + x * scale_) * dpr_; }
    double deviceY(double y) const { return (offset_.y() + y * scale_) * dpr_; }
    // A rectangle of picture pixels to device pixels, both edges snapped, so
    // that neighbouring rectangles meet without gaps at every scale.
    QRect deviceRect(const QRectF& r) const {
        const int left = static_cast<int>(std::lround(deviceX(r.left())));
        const int top = static_cast<int>(std::lround(deviceY(r.top())));
        const int right = static_cast<int>(std::lround(deviceX(r.left() + r.width())));
        const int bottom = static_cast<int>(std::lround(deviceY(r.top() + r.height())));
        return {left, top, std::max(1, right - left), std::max(1, bottom - top)};
    }
    // Device pixels back to a widget rectangle that covers them.
    QRect widgetRect(const QRect& device) const {
        const QRectF r(device.left() / dpr_, device.top() / dpr_, device.width() / dpr_, device.height() / dpr_);
        return r.toAlignedRect();
    }
    // The whole picture in device pixels.
    QRect pictureDeviceRect() const { return deviceRect(QRectF(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT)); }

    bool operator==(const PictureTransform& o) const {
        return scale_ == o.scale_ && offset_ == o.offset_ && dpr_ == o.dpr_;
    }

private:
    double scale_ = 1.0;
    QPointF offset_;
    double dpr_ = 1.0;
};

}  // namespace velmora::ui
