#include "ui/qt_browser.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>

#include "ui/qt_translation.h"

namespace velmora::ui {

bool QtBrowser::desktopCanLaunchBrowser() {
    // The opener alone is not enough: without a browser behind it the page
    // never appears and only a line on the terminal says why.
    if (QStandardPaths::findExecutable("xdg-open").isEmpty()) return false;
    const QString named = qEnvironmentVariable("BROWSER").section(':', 0, 0);
    if (!named.isEmpty() && !QStandardPaths::findExecutable(named).isEmpty()) return true;
    for (const char* browser : {"x-www-browser", "sensible-browser", "firefox", "firefox-esr", "chromium", "google-chrome",
                                "epiphany", "konqueror", "falkon"}) {
        if (!QStandardPaths::findExecutable(browser).isEmpty()) return true;
    }
    QProcess query;
    query.start("xdg-mime", {"query", "default", "text/html"});
    return query.waitForFinished(2000) && query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

bool QtBrowser::open(const std::string& target) {
    const QString text = QString::fromStdString(target);
    const bool web = text.startsWith("http://") || text.startsWith("https://");
    const QString file = web ? QString() : QFileInfo(text).absoluteFilePath();
    // A missing page is reported by the game, not handed to a browser that
    // would show only its own error, or nothing at all.
    if (!web && !QFileInfo(file).isFile()) return false;
    if (launcherCheck_()) {
        if (QDesktopServices::openUrl(web ? QUrl(text) : QUrl::fromLocalFile(file))) return true;
    }
    return !web && showInHelpWindow(file);
}

bool QtBrowser::showInHelpWindow(const QString& file) {
    if (!QFileInfo(file).isFile()) return false;
    if (!help_) {
        help_ = new QTextBrowser(window_);
        help_->setObjectName("HelpWindow");
        help_->setWindowFlag(Qt::Window);
        help_->setAttribute(Qt::WA_DeleteOnClose);
        help_->setOpenExternalLinks(false);
        help_->resize(640, 480);
        // Esc and Ctrl+W close the help window and leave the game as it is.
        for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
            auto* close = new QShortcut(keys, help_);
            close->setContext(Qt::WindowShortcut);
            QObject::connect(close, &QShortcut::activated, help_, &QWidget::close);
        }
    }
    help_->setSearchPaths({QFileInfo(file).absolutePath()});
    help_->setSource(QUrl::fromLocalFile(file));
    help_->setWindowTitle(help_->documentTitle().isEmpty() ? windowText("解説") : help_->documentTitle());
    if (window_) {
        // Over the game window.
        const QRect over = window_->frameGeometry();
        help_->move(over.center() - QPoint(help_->width() / 2, help_->height() / 2));
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
    return true;
}

}  // namespace velmora::ui
