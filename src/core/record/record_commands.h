#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game.h"
#include "record/snapshot_line.h"

namespace velmora {

// The 棋譜 menu: open the panel to load (読込) or to save (書込).
void KIFU_READ_Click(Game& g);
void KIFU_WRITE_Click(Game& g);

// The save panel's RETURN button: writes the game up to the shown move.
void Command1_Click(Game& g);

// A click on a file of the panel's file list: loads it for stepping through.
// A file that cannot be read, or that stops before its first move, is
// refused with a box and changes nothing else.
void File1_Click(Game& g, const std::string& fileName);

// How a record's bytes went into the game.
enum class RecordLoad { Refused, Damaged, NoMoves, Loaded };

// A load after the file was read. A record that stops before its first
// move, or holds no move at all, is refused with its box and changes
// nothing. Otherwise: a new game on the boards in record mode, the header
// texts printed, the snapshots into the history, who moved first, both
// boards drawn, and the box for a damaged record (a loaded one is announced
// by the caller). The game is left at move 0 for stepping through.
RecordLoad applyRecord(Game& g, std::string_view bytes);

// The box for a record file that cannot be opened.
void showOpenFailure(Game& g, const std::filesystem::path& path, int reason);

// The texts of the record boxes that carry arguments: the line a load
// stopped at; a file that could not be written or opened, its path (cut
// short in its middle) and the reason each on a line of their own.
Text unreadLineText(int line);
Text recordNotWrittenText(const std::string& path, Text reason);
Text recordNotOpenedText(const std::string& path, int reason);

// The longest line a record file may have (a snapshot line has 512
// characters; the game's header boxes hold less than this in CP932).
constexpr size_t MAX_RECORD_LINE_BYTES = 1 << 16;
// The largest record file the game loads: three header lines and a full
// history of snapshot lines stay below half of it.
constexpr size_t MAX_RECORD_FILE_BYTES = 1 << 20;

// What the loader takes from a record file: the header lines present (CP932
// decoded), the snapshots up to the end, the first line that is not a
// snapshot line of the record's shape or a header line too long to be one,
// or a full history, and the file's line number of the first line not read
// (0 when all were read). Empty lines at the end of the file end it.
struct LoadedRecord {
    std::optional<std::string> header[3];
    std::vector<SnapshotPair> snapshots;
    int unreadLine = 0;
};
LoadedRecord readRecord(std::string_view bytes);

}  // namespace velmora
