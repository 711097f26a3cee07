#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "record/snapshot_line.h"

namespace velmora {

// A game record: title, black's and white's player, then one snapshot per move.
struct RecordFile {
    std::string title;
    std::string blackPlayer;
    std::string whitePlayer;
    std::vector<SnapshotPair> snapshots;
};

// The largest file read for analysis. Self-play writes many games into one
// file, so this is far above one game's record, yet keeps the whole file a
// modest amount of memory.
constexpr std::size_t MAX_ANALYSIS_FILE_BYTES = std::size_t{64} << 20;

// Reads a record file for analysis (a regular file, opened without ever
// blocking, up to the bound above): every snapshot line must be exactly 512
// characters of piece codes. On failure returns false and a one-line message
// naming the file and, where there is one, the line.
bool readRecordFileStrict(const std::filesystem::path& path, RecordFile& out, std::string& error);
// The same for the file's bytes, `name` naming it in the message.
bool parseRecordStrict(const std::string& name, const std::string& bytes, RecordFile& out, std::string& error);

// The file's bytes: CP932 headers, CR LF line ends. Header text that has no
// CP932 form is refused (false and a message).
bool encodeRecordFile(const RecordFile& record, std::string& bytes, std::string& error);

// Writes beside the target and renames over it, so a failed write never
// damages an existing file.
bool writeFileAtomically(const std::filesystem::path& path, const std::string& bytes, std::string& error);

}  // namespace velmora
