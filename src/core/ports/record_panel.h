#pragma once

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
};

}  // namespace velmora
