#pragma once
#include <QHash>
#include <QImage>
#include <QString>

namespace velmora::ui {

// The game's pictures from the program's resources, at their natural size
// and at any size the window's scale asks for. Larger sizes are scaled down
// from the sharpest source drawn, so they stay crisp.
class Pictures {
public:
    explicit Pictures(qreal devicePixelRatio);
    // Picture codes 0..7 and the piece picture codes ±10..±61 at natural
    // size (sharp on high-density screens); null if unknown.
    const QImage& byCode(int code) const;
    // The picture of a code at exactly this many device pixels; null if unknown.
    const QImage& atSize(int code, QSize deviceSize);
    // Natural size of a code's picture in logical pixels; empty if unknown.
    QSize naturalSize(int code) const;
    // Any picture by its resource name (piece-choice buttons, ...).
    QImage byName(const QString& name) const;

private:
    QImage load(const QString& name, int density) const;
    const QImage& source(int code, int density);
    bool sharp_;
    QHash<int, QString> names_;
    QHash<int, QImage> byCode_;
    QHash<quint64, QImage> sources_;
    QHash<quint64, QImage> scaled_;
    QImage none_;
};

}  // namespace velmora::ui
