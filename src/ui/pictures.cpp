#include "ui/pictures.h"

#include <QFile>

// The pictures are compiled into a static library; register them explicitly.
static void initPictureResources() { Q_INIT_RESOURCE(velmora); }

namespace velmora::ui {
namespace {

// The densities the artwork is drawn at, sharpest last.
constexpr int DENSITIES[] = {1, 2, 3};

quint64 sizeKey(int code, QSize size) {
    return (quint64(quint32(code)) << 32) | (quint64(quint16(size.width())) << 16) | quint64(quint16(size.height()));
}

}  // namespace

Pictures::Pictures(qreal devicePixelRatio) : sharp_(devicePixelRatio > 1.25) {
    initPictureResources();
    static const char* const SCENERY[8] = {"KARA_MASU1",    "KARA_MASU2",    "title_logo", "HAIKEI_MIDORI",
                                           "HAIKEI_TATAMI", "HAIKEI_TAKE", "HAIKEI_UCHU", "HAIKEI_RENGA"};
    for (int code = 0; code < 8; ++code) names_.insert(code, SCENERY[code]);
    static const char* const PIECES[6] = {"PORN", "KNIG", "BISH", "ROOK", "QEEN", "KING"};
    for (int kind = 1; kind <= 6; ++kind) {
        for (int shade = 0; shade <= 1; ++shade) {
            const QString suffix = QStringLiteral("_%1_%2").arg(PIECES[kind - 1]).arg(shade + 1);
            names_.insert(10 * kind + shade, "B" + suffix);
            names_.insert(-(10 * kind + shade), "W" + suffix);
        }
    }
    for (auto it = names_.cbegin(); it != names_.cend(); ++it) {
        QImage image = load(*it, sharp_ ? 2 : 1);
        if (sharp_) image.setDevicePixelRatio(2.0);
        byCode_.insert(it.key(), image);
    }
}

QImage Pictures::load(const QString& name, int density) const {
    const QString path = density == 1 ? QStringLiteral(":/images/%1.png").arg(name)
                                      : QStringLiteral(":/images/%1@%2x.png").arg(name).arg(density);
    if (!QFile::exists(path)) return {};
    // The window's own format, so that drawing a picture is a plain copy; in
    // device pixels (the reader would mark "@2x" files as double density).
    QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    return image;
}

const QImage& Pictures::byCode(int code) const {
    const auto it = byCode_.constFind(code);
    return it == byCode_.constEnd() ? none_ : *it;
}

QSize Pictures::naturalSize(int code) const {
    const QImage& image = byCode(code);
    return image.isNull() ? QSize() : image.deviceIndependentSize().toSize();
}

const QImage& Pictures::source(int code, int density) {
    // The natural size is loaded already.
    if (density == 1 && !sharp_) return byCode(code);
    const quint64 k = sizeKey(code, QSize(density, 0));
    auto it = sources_.find(k);
    if (it == sources_.end()) it = sources_.insert(k, load(names_.value(code), density));
    return *it;
}

const QImage& Pictures::atSize(int code, QSize deviceSize) {
    if (!names_.contains(code) || deviceSize.isEmpty()) return none_;
    const quint64 k = sizeKey(code, deviceSize);
    if (auto it = scaled_.constFind(k); it != scaled_.constEnd()) return *it;
    const QSize natural = naturalSize(code);
    // The least density that is at least as large as the size asked for, or the sharpest.
    const QImage* best = nullptr;
    for (int density : DENSITIES) {
        const QImage& candidate = source(code, density);
        if (candidate.isNull()) continue;
        best = &candidate;
        if (natural.width() * density >= deviceSize.width() && natural.height() * density >= deviceSize.height()) break;
    }
    if (!best) return none_;
    QImage image = best->size() == deviceSize
                       ? *best
                       : best->scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    // Sizes of one scale only: a new scale starts a new set.
    if (scaled_.size() > 256) scaled_.clear();
    return *scaled_.insert(k, image);
}

QImage Pictures::byName(const QString& name) const {
    QImage image = load(name, sharp_ ? 2 : 1);
    if (sharp_) image.setDevicePixelRatio(2.0);
    return image;
}

}  // namespace velmora::ui
