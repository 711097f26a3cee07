#pragma once
#include <QHash>
#include <QImage>
#include <QString>

namespace velmora::ui {

// The game's pictures, loaded from the program's resources at the sharper of
// the two drawn sizes for this screen.
class Pictures {
public:
    explicit Pictures(qreal devicePixelRatio);
    // Picture codes 0..7 and the piece picture codes ±10..±61; null if unknown.
    const QImage& byCode(int code) const;
    // Any picture by its resource name (piece-choice buttons, ...).
    QImage byName(const QString& name) const;

private:
    QImage load(const QString& name) const;
    bool sharp_;
    QHash<int, QImage> byCode_;
    QImage none_;
};

}  // namespace velmora::ui
