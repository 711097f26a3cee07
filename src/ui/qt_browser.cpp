#include "ui/qt_browser.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace velmora::ui {

bool QtBrowser::open(const std::string& target) {
    const QString text = QString::fromStdString(target);
    const bool web = text.startsWith("http://") || text.startsWith("https://");
    const QUrl url = web ? QUrl(text) : QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
    return QDesktopServices::openUrl(url);
}

}  // namespace velmora::ui
