#pragma once
#include <QString>

namespace velmora::ui {

// Where the program finds its files and keeps its settings. Installed (its
// wave files and help page in ../share/velmora beside the program's folder),
// it reads them there, keeps Velmora.ini in the user's configuration folder
// and opens the record panel in the home folder; an unsaved game it ends
// with goes to the user's data folder. Run from a folder of its
// own (the build tree's run folder), everything stays in the folder it
// starts in.
struct InstallLayout {
    bool installed = false;
    QString dataDirectory;   // empty: the folder the program starts in
    QString settingsFile;    // empty: Velmora.ini in the folder it starts in
    QString recordFolder;    // empty: the folder it starts in
    QString resumeFile;      // empty: resume.棋譜 in the folder it starts in

    static InstallLayout detect(const QString& programFolder);
};

}  // namespace velmora::ui
