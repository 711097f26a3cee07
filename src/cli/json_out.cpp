#include "cli/json_out.h"

#include <charconv>

namespace velmora::cli {

std::string gridJson(const IntGrid& grid) {
    std::string out = "[";
    for (int f = 1; f <= 8; ++f) {
        out += f == 1 ? "[" : ", [";
        for (int r = 1; r <= 8; ++r) {
            if (r > 1) out += ", ";
            out += std::to_string(grid.at(f, r));
        }
        out += "]";
    }
    return out + "]";
}

std::string squareJson(int file, int rank) {
    std::string out = "[";
    out += std::to_string(file);
    out += ", ";
    out += std::to_string(rank);
    out += ']';
    return out;
}

std::string influenceJson(const BoardState& bs) {
    const InfluenceMap& m = bs.influence;
    return "{\"whiteAttacks\": " + gridJson(m.whiteAttacks) + ", \"blackAttacks\": " + gridJson(m.blackAttacks) +
           ", \"whiteDefender\": " + gridJson(m.whiteDefender) + ", \"blackDefender\": " + gridJson(m.blackDefender) +
           ", \"whiteThreat\": " + gridJson(m.whiteThreat) + ", \"whiteThreatFile\": " + gridJson(m.whiteThreatFile) +
           ", \"whiteThreatRank\": " + gridJson(m.whiteThreatRank) + ", \"blackThreat\": " + gridJson(m.blackThreat) +
           ", \"whiteCheckLine\": " + gridJson(m.whiteCheckLine) + ", \"blackCheckLine\": " + gridJson(m.blackCheckLine) +
           ", \"whiteKing\": " + squareJson(bs.whiteKing.file, bs.whiteKing.rank) +
           ", \"blackKing\": " + squareJson(bs.blackKing.file, bs.blackKing.rank) + "}";
}

std::string numberJson(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // Keep it a JSON number that reads as a real: 5 -> 5.0.
    if (text.find_first_of(".eE") == std::string::npos && text.find_first_of("ni") == std::string::npos) text += ".0";
    return text;
}

}  // namespace velmora::cli
