#include "flow/last_game.h"

#include <filesystem>
#include <optional>
#include <string>

#include "com/level.h"
#include "command_support.h"
#include "flow/clock_commands.h"
#include "flow/shutdown.h"
#include "io/whole_file.h"
#include "position_change.h"
#include "record/kept_game.h"
#include "record/listed_moves.h"
#include "record/notation.h"
#include "record/record_commands.h"
#include "record/resume.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

// The loaded game, stepped to its last position, goes on as the kept line
// says: out of record mode, its kind and level, its clocks, its side to move.
void goOnWith(Game& g, const KeptGame& kept) {
    GameState& st = g.state;
    st.recordMode = false;
    st.gameMode = kept.mode;
    if (kept.control.on()) {
        g.playerClocks.resume(kept.control, kept.whiteMs, kept.blackMs);
    } else {
        g.playerClocks.reset(kept.control);
    }
    // The control the game goes on with becomes the one in use, as if chosen
    // (without writing the settings): the menu marks it and the custom
    // dialog opens on it.
    g.options.timeControl = kept.control;
    markTimeControl(g);
    g.presentation().画面_再描画();
    if (kept.mode == GameMode::AgainstComputer) レベル_設定(g, kept.level);
    g.presentation().描画_手数(st.moveNumber);
}

}  // namespace

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
    const LoadedRecord record = readRecord(bytes);
    const std::optional<KeptGame> kept = record.header[0] ? readKeptGameLine(*record.header[0]) : std::nullopt;
    // The kept line is no title to print round the boards: it loads as an empty one.
    if (kept) bytes.erase(0, record.header[0]->size());
    if (applyRecord(g, bytes) != RecordLoad::Loaded) return;
    stepToMove(g, g.state.lastMoveNumber);
    bool againstComputer = false;
    if (kept) {
        goOnWith(g, *kept);
        againstComputer = kept->mode == GameMode::AgainstComputer;
    }
    g.dialogs().messageBox(" 読み込みました", "棋譜", Buttons::Ok);
    // Kept while the computer was to move: it moves now.
    const GameState& st = g.state;
    if (againstComputer && st.sideToMove == st.blackSide) playComputerTurn(g);
}

}  // namespace velmora
