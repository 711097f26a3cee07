#include "record/resume.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "command_support.h"
#include "io/whole_file.h"
#include "record/listed_moves.h"
#include "record/record_commands.h"
#include "record/record_file.h"
#include "position_change.h"

namespace velmora {

namespace fs = std::filesystem;

bool writeResumeRecord(Game& g) {
    if (!g.movesUnsaved) return true;
    const GameState& st = g.state;
    RecordFile record;  // no title and no players, as a save with empty boxes
    for (int n = 0; n <= st.lastMoveNumber && History::valid(n); ++n) {
        record.snapshots.push_back({g.history.left[n], g.history.right[n]});
    }
    std::string bytes, error;
    if (!encodeRecordFile(record, bytes, error)) return false;
    const fs::path path = g.options.resumePath(RESUME_FILE_NAME);
    if (path.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
    }
    WriteFailure failure;
    if (!g.files().write(path, bytes, failure)) return false;
    g.movesUnsaved = false;
    return true;
}

void KIFU_RESUME_Click(Game& g) {
    positionAboutToChange(g);
    const fs::path path = g.options.resumePath(RESUME_FILE_NAME);
    std::string bytes;
    int reason = 0;
    // Read before anything changes: without a kept game the boards stay as they are.
    switch (readWholeFile(path, MAX_RECORD_FILE_BYTES, bytes, reason)) {
        case FileRead::Missing:
            refuse(g, "前回の対局はありません", "棋譜");
            return;
        case FileRead::Failed:
            showOpenFailure(g, path, reason);
            return;
        case FileRead::Ok:
            break;
    }
    hideRecordPanel(g);
    if (applyRecord(g, bytes) != RecordLoad::Loaded) return;
    stepToMove(g, g.state.lastMoveNumber);
    g.dialogs().messageBox(" 読み込みました", "棋譜", Buttons::Ok);
}

}  // namespace velmora
