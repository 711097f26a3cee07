#pragma once
#include <filesystem>
#include <string>

namespace velmora {

// The record file panel: drive, folder and file lists, and the save fields.
class RecordPanel {
public:
    virtual ~RecordPanel() = default;
    // Shows or hides the drive, folder and file lists.
    virtual void 描画_可視(bool drive, bool folder, bool file) = 0;
    // Mode 0 shows the four labelled fields and the RETURN button, keeping
    // their texts; any other mode empties the fields and hides them.
    virtual void 描画_棋譜_IO(int mode) = 0;
    // The text of field 1 (file name), 2 (game title), 3 (first player) or 4 (second player).
    virtual std::string fieldText(int field) = 0;
    // The folder whose "*.棋譜" files the file list shows.
    virtual std::filesystem::path folder() = 0;
    virtual void refreshFiles() = 0;
};

}  // namespace velmora
