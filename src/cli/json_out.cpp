#include "cli/json_out.h"
#include "com/com_state.h"

#include <charconv>

namespace velmora::cli {

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty()) return;
    if (hasItems_.back()) out_ += ", ";
    hasItems_.back() = true;
}

JsonWriter& JsonWriter::open(char bracket) {
    beforeValue();
    out_ += bracket;
    hasItems_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    out_ += bracket;
    hasItems_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(int number) {
    beforeValue();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(std::uint64_t number) {
    beforeValue();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool truth) {
    beforeValue();
    out_ += truth ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    beforeValue();
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    const std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
    out_ += digits;
    // Keep it a number that reads as a real; "inf" and "nan" stay as they are.
    if (digits.find_first_of(".eEni") == std::string_view::npos) out_ += ".0";
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    static const char HEX[] = "0123456789abcdef";
    beforeValue();
    out_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (byte < 0x20) {
            out_ += "\\u00";
            out_ += HEX[byte >> 4];
            out_ += HEX[byte & 15];
        } else {
            out_ += c;
        }
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    out_ += "null";
    return *this;
}

void writeSquare(JsonWriter& json, Square square) {
    json.beginArray().value(square.file).value(square.rank).endArray();
}

void writeGrid(JsonWriter& json, const IntGrid& grid) {
    json.beginArray();
    for (int f = 1; f <= 8; ++f) {
        json.beginArray();
        for (int r = 1; r <= 8; ++r) json.value(grid.at(f, r));
        json.endArray();
    }
    json.endArray();
}

namespace {

// One coordinate of every entry of a grid of squares, as a grid of numbers.
IntGrid coordinates(const Grid<Square>& squares, int Square::*coordinate) {
    IntGrid grid;
    for (std::size_t k = 0; k < grid.cells.size(); ++k) {
        grid.cells[k] = static_cast<std::int16_t>(squares.cells[k].*coordinate);
    }
    return grid;
}

}  // namespace

void writeInfluence(JsonWriter& json, const BoardState& bs) {
    const InfluenceMap& m = bs.influence;
    const IntGrid whiteThreatFile = coordinates(m.whiteThreatFrom, &Square::file);
    const IntGrid whiteThreatRank = coordinates(m.whiteThreatFrom, &Square::rank);
    const std::pair<const char*, const IntGrid*> grids[] = {
        {"whiteAttacks", &m.whiteAttacks},       {"blackAttacks", &m.blackAttacks},
        {"whiteDefender", &m.whiteDefender},     {"blackDefender", &m.blackDefender},
        {"whiteThreat", &m.whiteThreat},         {"whiteThreatFile", &whiteThreatFile},
        {"whiteThreatRank", &whiteThreatRank},   {"blackThreat", &m.blackThreat},
        {"whiteCheckLine", &m.whiteCheckLine},   {"blackCheckLine", &m.blackCheckLine},
    };
    json.beginObject();
    for (const auto& [name, grid] : grids) writeGrid(json.key(name), *grid);
    writeSquare(json.key("whiteKing"), bs.whiteKing);
    writeSquare(json.key("blackKing"), bs.blackKing);
    json.endObject();
}

void writeBestMove(JsonWriter& json, const std::optional<BestMove>& best) {
    if (!best) {
        json.null();
        return;
    }
    json.beginObject().key("score").value(best->score);
    writeSquare(json.key("from"), best->from);
    writeSquare(json.key("to"), best->to);
    json.key("placedPiece").value(best->placedPiece).key("movingPiece").value(best->movingPiece).endObject();
}

void writeMoves(JsonWriter& json, const std::vector<Move>& moves) {
    json.beginArray();
    for (const Move& m : moves) {
        json.beginArray().value(m.from.file).value(m.from.rank).value(m.to.file).value(m.to.rank).endArray();
    }
    json.endArray();
}

}  // namespace velmora::cli
