#pragma once
#include <filesystem>
#include <string>

namespace velmora {

// The record file panel: drive, folder and file lists, and the save fields.
// The four labelled fields of the save panel.
enum class RecordField { FileName = 1, Title, FirstPlayer, SecondPlayer };

class RecordPanel {
public:
    virtual ~RecordPanel() = default;
    // Shows or hides the drive, folder and file lists.
    virtual void 描画_可視(bool drive, bool folder, bool file) = 0;
    // Shown: the four labelled fields and the RETURN button, keeping their
    // texts. Not shown: the fields emptied, and all of them hidden.
    virtual void 描画_棋譜_IO(bool shown) = 0;
    virtual std::string fieldText(RecordField field) = 0;
    // The folder whose "*.棋譜" files the file list shows.
    virtual std::filesystem::path folder() = 0;
    virtual void refreshFiles() = 0;
};

}  // namespace velmora
