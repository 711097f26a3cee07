#pragma once
#include <QPointer>
#include <QTextBrowser>
#include <functional>

#include "ports/browser_port.h"

class QWidget;

namespace velmora::ui {

// The desktop's browser where one can be started; a local page opens in the
// program's own help window otherwise, so that help always appears.
class QtBrowser : public Browser {
public:
    explicit QtBrowser(QWidget* window) : window_(window) {}
    bool open(const std::string& target) override;

    // Whether the desktop has a browser to hand a page to (replaceable in tests).
    void setLauncherCheck(std::function<bool()> check) { launcherCheck_ = std::move(check); }
    static bool desktopCanLaunchBrowser();
    // The program's help window, once it has been opened.
    QTextBrowser* helpWindow() const { return help_; }

private:
    bool showInHelpWindow(const QString& file);
    QWidget* window_;
    QPointer<QTextBrowser> help_;
    std::function<bool()> launcherCheck_ = &QtBrowser::desktopCanLaunchBrowser;
};

}  // namespace velmora::ui
