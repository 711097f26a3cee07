#include "ui/drawing_list.h"

#include <QRegion>

namespace velmora::ui {

quint64 DrawingList::key(const QRect& r) {
    // Positions and sizes stay well inside 16 bits each.
    return (quint64(quint16(r.x())) << 48) | (quint64(quint16(r.y())) << 32) | (quint64(quint16(r.width())) << 16) |
           quint64(quint16(r.height()));
}

void DrawingList::clear() {
    ops_.clear();
    pictureAt_.clear();
    outlineAt_.clear();
    live_ = 0;
    liveAfterCompaction_ = 0;
}

void DrawingList::push(DrawOp op) {
    ops_.push_back(std::move(op));
    ++live_;
}

void DrawingList::addPicture(int code, const QRect& bounds) {
    const quint64 k = key(bounds);
    if (auto it = pictureAt_.find(k); it != pictureAt_.end()) {
        ops_[*it].alive = false;
        --live_;
    }
    DrawOp op;
    op.kind = DrawOp::Kind::Picture;
    op.bounds = bounds;
    op.code = code;
    pictureAt_.insert(k, ops_.size());
    push(std::move(op));
    compactIfLarge();
}

std::optional<QRect> DrawingList::addOutline(const QRect& bounds, PaletteColour colour, int width) {
    std::optional<QRect> restore;
    const quint64 k = key(bounds);
    if (auto it = outlineAt_.find(k); it != outlineAt_.end()) {
        DrawOp& old = ops_[*it];
        old.alive = false;
        --live_;
        if (old.width > width) restore = bounds;
    }
    DrawOp op;
    op.kind = DrawOp::Kind::Outline;
    op.bounds = bounds;
    op.colour = colour;
    op.width = width;
    outlineAt_.insert(k, ops_.size());
    push(std::move(op));
    compactIfLarge();
    return restore;
}

std::optional<int> DrawingList::pictureAt(const QRect& bounds) const {
    const auto it = pictureAt_.constFind(key(bounds));
    if (it == pictureAt_.constEnd() || !ops_[*it].alive) return std::nullopt;
    return ops_[*it].code;
}

void DrawingList::addText(const QRect& bounds, QPointF at, const QString& text, int pointSize, bool bold, PaletteColour colour) {
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.bounds = bounds;
    op.at = at;
    op.text = text;
    op.pointSize = pointSize;
    op.bold = bold;
    op.colour = colour;
    push(std::move(op));
    compactIfLarge();
}

void DrawingList::compactIfLarge() {
    // Amortised: the list is swept when it has doubled since the last sweep.
    if (ops_.size() > 2 * liveAfterCompaction_ + 512) compact();
}

void DrawingList::compact() {
    // From the newest back: an operation wholly under the pictures drawn
    // after it can no longer be seen.
    QRegion covered;
    std::vector<bool> keep(ops_.size(), false);
    for (std::size_t i = ops_.size(); i-- > 0;) {
        const DrawOp& op = ops_[i];
        if (!op.alive) continue;
        if (covered.contains(op.bounds) && QRegion(op.bounds).subtracted(covered).isEmpty()) continue;
        keep[i] = true;
        if (op.kind == DrawOp::Kind::Picture) covered += op.bounds;
    }
    std::vector<DrawOp> kept;
    kept.reserve(ops_.size());
    pictureAt_.clear();
    outlineAt_.clear();
    for (std::size_t i = 0; i < ops_.size(); ++i) {
        if (!keep[i]) continue;
        if (ops_[i].kind == DrawOp::Kind::Picture) pictureAt_.insert(key(ops_[i].bounds), kept.size());
        if (ops_[i].kind == DrawOp::Kind::Outline) outlineAt_.insert(key(ops_[i].bounds), kept.size());
        kept.push_back(std::move(ops_[i]));
    }
    ops_ = std::move(kept);
    live_ = ops_.size();
    liveAfterCompaction_ = live_;
}

}  // namespace velmora::ui
