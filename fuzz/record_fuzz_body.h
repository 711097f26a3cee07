#pragma once
// What the record file fuzzer does with one input; the regression test runs
// the same on every input kept from earlier crashes.
#include <memory>
#include <string>

#include "influence/survey.h"
#include "record/record_commands.h"
#include "record/record_file.h"
#include "rules/move_list.h"

namespace velmora::fuzz {

// Returns false when a loaded record breaks what the game relies on.
inline bool recordInput(const std::string& bytes) {
    // The game's loader: never more snapshots than the history holds, every code a piece.
    const LoadedRecord record = readRecord(bytes);
    if (record.snapshots.size() > static_cast<size_t>(HISTORY_SIZE)) return false;
    for (const SnapshotPair& p : record.snapshots) {
        for (PieceCode c : p.left.cells) {
            if (!isPieceCode(c)) return false;
        }
        for (PieceCode c : p.right.cells) {
            if (!isPieceCode(c)) return false;
        }
    }
    // A file read to its end saves and loads back the same.
    if (record.unreadLine == 0 && !record.snapshots.empty()) {
        RecordFile again;
        again.snapshots = record.snapshots;
        std::string saved, error;
        if (!encodeRecordFile(again, saved, error)) return false;
        const LoadedRecord reloaded = readRecord(saved);
        if (reloaded.unreadLine != 0 || reloaded.snapshots.size() != record.snapshots.size()) return false;
        for (size_t i = 0; i < record.snapshots.size(); ++i) {
            if (reloaded.snapshots[i].left != record.snapshots[i].left) return false;
            if (reloaded.snapshots[i].right != record.snapshots[i].right) return false;
        }
    }
    // What the program then does with a loaded position: survey it and list moves.
    if (!record.snapshots.empty()) {
        auto g = std::make_unique<Game>();
        const SnapshotPair& last = record.snapshots.back();
        putPosition(*g, last.left, last.right);
        勢力調査(*g, BoardId::LEFT);
        acceptedMoves(*g, BoardId::RIGHT, g->state.blackSide);
    }
    // The analysis reader on the same bytes.
    RecordFile strict;
    std::string error;
    const bool read = parseRecordStrict("input", bytes, strict, error);
    // A refused file always says why.
    return read || !error.empty();
}

}  // namespace velmora::fuzz
