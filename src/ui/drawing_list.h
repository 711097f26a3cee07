#pragma once
#include <QHash>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "ports/palette_port.h"

namespace velmora::ui {

// One drawing operation of the game, kept in picture pixels so that the whole
// window can be drawn again at any scale.
struct DrawOp {
    enum class Kind : std::uint8_t { Picture, Outline, Text };
    Kind kind = Kind::Picture;
    bool alive = true;
    // Picture pixels the operation may touch.
    QRect bounds;
    // Picture code (pictures).
    int code = 0;
    // Outlines and texts.
    PaletteColour colour{};
    // Outline width in picture pixels.
    int width = 1;
    // Text: its top-left corner in picture pixels, size and weight.
    QPointF at;
    QString text;
    int pointSize = 0;
    bool bold = false;
};

// What has been drawn since the background was last filled, in drawing order,
// without what later drawing has covered. Pictures are opaque: a picture
// replaces an earlier one in the same place and hides whatever lies wholly
// beneath the pictures drawn after it. An outline replaces the earlier
// outline of the same cell.
class DrawingList {
public:
    void clear();
    void addPicture(int code, const QRect& bounds);
    // Returns the cell to draw again when the outline replaces a wider mark,
    // whose inner pixels the new outline would not cover.
    std::optional<QRect> addOutline(const QRect& bounds, PaletteColour colour, int width);
    void addText(const QRect& bounds, QPointF at, const QString& text, int pointSize, bool bold, PaletteColour colour);

    // The code of the live picture drawn at exactly these bounds, if any.
    std::optional<int> pictureAt(const QRect& bounds) const;

    const std::vector<DrawOp>& ops() const { return ops_; }
    std::size_t liveCount() const { return live_; }

private:
    static quint64 key(const QRect& r);
    void push(DrawOp op);
    void compactIfLarge();
    void compact();

    std::vector<DrawOp> ops_;
    std::size_t live_ = 0;
    std::size_t liveAfterCompaction_ = 0;
    QHash<quint64, std::size_t> pictureAt_;
    QHash<quint64, std::size_t> outlineAt_;
};

}  // namespace velmora::ui
