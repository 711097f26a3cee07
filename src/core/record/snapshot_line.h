#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "board/board.h"

namespace velmora {

constexpr int SNAPSHOT_LINE_LENGTH = 512;

struct SnapshotPair {
    Board left;
    Board right;
};

// 128 right-aligned fields of 4 characters: file outer, rank inner, left code
// then right code per square.
std::string formatSnapshotLine(const Board& left, const Board& right);

// Reads a snapshot line. A field of blanks (or past the end of a short line)
// reads as 0. A field that holds no plain number, or a number that is no
// piece code, gives nothing and a reason in `error`.
std::optional<SnapshotPair> parseSnapshotLine(std::string_view line, std::string* error = nullptr);

}  // namespace velmora
