#include "record/record_file.h"

#include <cerrno>

#include "io/file_reason.h"
#include "io/whole_file.h"
#include "ports/file_writer_port.h"
#include "record/cp932.h"

namespace velmora {
namespace {

std::string headerText(std::string_view bytes) {
    std::optional<std::string> text = cp932ToUtf8(bytes);
    return text ? *text : std::string(bytes);
}

}  // namespace

bool readRecordFileStrict(const std::filesystem::path& path, RecordFile& out, std::string& error) {
    const std::string name = path.string();
    std::string bytes;
    int reason = 0;
    switch (readWholeFile(path, MAX_ANALYSIS_FILE_BYTES, bytes, reason)) {
        case FileRead::Ok:
            return parseRecordStrict(name, bytes, out, error);
        case FileRead::Missing:
            error = name + ": cannot open: " + fileReasonTextEnglish(ENOENT);
            return false;
        case FileRead::Failed:
            break;
    }
    error = name + (reason == EISDIR ? ": is a directory" : ": cannot read: " + fileReasonTextEnglish(reason));
    return false;
}

bool parseRecordStrict(const std::string& name, const std::string& bytes, RecordFile& out, std::string& error) {
    std::vector<std::string_view> lines;
    LineSplitter splitter(bytes, LineSplitter::LF);
    for (std::string_view line; splitter.next(line);) lines.push_back(line);
    if (lines.size() < 4) {
        error = name + ":" + std::to_string(lines.size() + 1) + ": no snapshot line (3 header lines, then one line per position)";
        return false;
    }
    RecordFile record;
    record.title = headerText(lines[0]);
    record.blackPlayer = headerText(lines[1]);
    record.whitePlayer = headerText(lines[2]);
    for (size_t i = 3; i < lines.size(); ++i) {
        const std::string where = name + ":" + std::to_string(i + 1) + ": ";
        if (lines[i].size() != SNAPSHOT_LINE_LENGTH) {
            error = where + "snapshot line has " + std::to_string(lines[i].size()) + " characters, expected 512";
            return false;
        }
        std::string reason;
        std::optional<SnapshotPair> pair = parseSnapshotLine(lines[i], &reason);
        if (!pair) {
            error = where + reason;
            return false;
        }
        record.snapshots.push_back(*pair);
    }
    out = std::move(record);
    return true;
}

bool encodeRecordFile(const RecordFile& record, std::string& bytes, std::string& error) {
    std::string result;
    for (const std::string* header : {&record.title, &record.blackPlayer, &record.whitePlayer}) {
        std::optional<std::string> encoded = utf8ToCp932(*header);
        if (!encoded) {
            error = "\"" + *header + "\" cannot be written in the record file's character set";
            return false;
        }
        result += *encoded;
        result += "\r\n";
    }
    for (const SnapshotPair& pair : record.snapshots) {
        result += formatSnapshotLine(pair.left, pair.right);
        result += "\r\n";
    }
    bytes = std::move(result);
    return true;
}

bool writeFileAtomically(const std::filesystem::path& path, const std::string& bytes, std::string& error) {
    FileWriter writer;
    return writer.writeAtomically(path, bytes, error);
}

}  // namespace velmora
