#include "record/snapshot_line.h"

#include <cstdio>

namespace velmora {

std::string formatSnapshotLine(const Board& left, const Board& right) {
    std::string line;
    line.reserve(SNAPSHOT_LINE_LENGTH);
    char field[8];
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            std::snprintf(field, sizeof field, "%4d", static_cast<int>(left.at(f, r)));
            line += field;
            std::snprintf(field, sizeof field, "%4d", static_cast<int>(right.at(f, r)));
            line += field;
        }
    }
    return line;
}

namespace {

// One field: blanks around an optionally signed decimal number, or only blanks.
std::optional<int> parseField(std::string_view field) {
    size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    if (i == field.size()) return 0;
    bool negative = false;
    if (field[i] == '-' || field[i] == '+') {
        negative = field[i] == '-';
        ++i;
    }
    int value = 0;
    size_t digits = 0;
    while (i < field.size() && field[i] >= '0' && field[i] <= '9') {
        value = value * 10 + (field[i] - '0');
        ++i;
        ++digits;
    }
    while (i < field.size() && field[i] == ' ') ++i;
    if (digits == 0 || i != field.size()) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

std::optional<SnapshotPair> parseSnapshotLine(std::string_view line, std::string* error) {
    SnapshotPair pair;
    for (int k = 0; k < 128; ++k) {
        const size_t start = static_cast<size_t>(k) * 4;
        const std::string_view field = start < line.size() ? line.substr(start, 4) : std::string_view{};
        const std::optional<int> value = parseField(field);
        if (!value || !isPieceCode(*value)) {
            if (error) {
                *error = "field " + std::to_string(k + 1) + " (\"" + std::string(field) + "\") " +
                         (value ? "is no piece code" : "holds no number");
            }
            return std::nullopt;
        }
        const int square = k / 2;
        Board& b = (k % 2 == 0) ? pair.left : pair.right;
        b.at(square / 8 + 1, square % 8 + 1) = static_cast<PieceCode>(*value);
    }
    return pair;
}

}  // namespace velmora
