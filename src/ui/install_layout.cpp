#include "ui/install_layout.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace velmora::ui {

InstallLayout InstallLayout::detect(const QString& programFolder) {
    InstallLayout layout;
    const QString share = QDir::cleanPath(programFolder + "/../share/velmora");
    if (!QFileInfo(share + "/Velmora.htm").isFile()) return layout;
    layout.installed = true;
    layout.dataDirectory = share;
    // $XDG_CONFIG_HOME, or ~/.config without it.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    layout.settingsFile = config + "/velmora/Velmora.ini";
    layout.recordFolder = QDir::homePath();
    // $XDG_DATA_HOME, or ~/.local/share without it.
    layout.resumeFile = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/velmora/resume.棋譜";
    return layout;
}

}  // namespace velmora::ui
