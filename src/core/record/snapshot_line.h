#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "rules/board.h"

namespace velmora {

constexpr int SNAPSHOT_LINE_LENGTH = 512;

struct SnapshotPair {
    Board left;
    Board right;
};

// 128 right-aligned fields of 4 characters: file outer, rank inner, left code
// then right code per square.
std::string formatSnapshotLine(const Board& left, const Board& right);

// How a field that is not a plain number reads: refused (analysis), or as the
// number its text begins with, 0 when it begins with none (the game's loader).
enum class FieldReading { Strict, Lenient };

// Reads a snapshot line. A field of blanks (or past the end of a short line)
// reads as 0. A number that is no piece code, or (strictly) a field that holds
// no number, gives nothing and a reason in `error`.
std::optional<SnapshotPair> parseSnapshotLine(std::string_view line, std::string* error = nullptr,
                                              FieldReading reading = FieldReading::Strict);

}  // namespace velmora
