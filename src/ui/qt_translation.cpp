#include "ui/qt_translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace velmora::ui {

std::optional<std::string> QtTranslator::translation(const std::string& source) const {
    // Qt gives the source back when it has no translation of it.
    const QString text = QCoreApplication::translate("Velmora", source.c_str());
    const std::string result = text.toStdString();
    if (result == source) return std::nullopt;
    return result;
}

QString windowText(const char* source) { return QCoreApplication::translate("Window", source); }

QString menuText(const QString& source) { return QCoreApplication::translate("Menu", source.toUtf8().constData()); }

bool loadCatalogue(Language language, const QStringList& folders) {
    const QString name = QString::fromStdString(catalogueNameOf(language));
    if (name.isEmpty()) return true;
    for (const QString& folder : folders) {
        if (folder.isEmpty() || !QDir(folder).exists(name + ".qm")) continue;
        // Lives as long as the application that uses it.
        auto* catalogue = new QTranslator(QCoreApplication::instance());
        if (catalogue->load(name, folder)) {
            QCoreApplication::installTranslator(catalogue);
            return true;
        }
        delete catalogue;
    }
    return false;
}

}  // namespace velmora::ui
