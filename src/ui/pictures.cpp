#include "ui/pictures.h"

// The pictures are compiled into a static library; register them explicitly.
static void initPictureResources() { Q_INIT_RESOURCE(velmora); }

namespace velmora::ui {

Pictures::Pictures(qreal devicePixelRatio) : sharp_(devicePixelRatio > 1.25) {
    initPictureResources();
    static const char* const SCENERY[8] = {"KARA_MASU1",    "KARA_MASU2",    "title_logo", "HAIKEI_MIDORI",
                                           "HAIKEI_TATAMI", "HAIKEI_TAKE", "HAIKEI_UCHU", "HAIKEI_RENGA"};
    for (int code = 0; code < 8; ++code) byCode_.insert(code, load(SCENERY[code]));
    static const char* const PIECES[6] = {"PORN", "KNIG", "BISH", "ROOK", "QEEN", "KING"};
    for (int kind = 1; kind <= 6; ++kind) {
        for (int shade = 0; shade <= 1; ++shade) {
            const QString suffix = QStringLiteral("_%1_%2").arg(PIECES[kind - 1]).arg(shade + 1);
            byCode_.insert(10 * kind + shade, load("B" + suffix));
            byCode_.insert(-(10 * kind + shade), load("W" + suffix));
        }
    }
}

QImage Pictures::load(const QString& name) const {
    QImage image(QStringLiteral(":/images/%1%2.png").arg(name, sharp_ ? "@2x" : ""));
    if (sharp_) image.setDevicePixelRatio(2.0);
    return image;
}

const QImage& Pictures::byCode(int code) const {
    const auto it = byCode_.constFind(code);
    return it == byCode_.constEnd() ? none_ : *it;
}

QImage Pictures::byName(const QString& name) const { return load(name); }

}  // namespace velmora::ui
