#include "board_text_fixture.h"

#include <stdexcept>

#include "influence/survey.h"
#include "rules/move_list.h"

namespace velmora::testing {

namespace {
constexpr const char* LETTERS = "pnbrqk";
}

Board boardFrom(const std::array<const char*, 8>& ranks) {
    Board b;
    for (int r = 1; r <= 8; ++r) {
        const std::string row = ranks[r - 1];
        if (row.size() != 8) throw std::invalid_argument("rank string must have 8 characters: " + row);
        for (int f = 1; f <= 8; ++f) {
            const char c = row[f - 1];
            if (c == '.') continue;
            const char lower = static_cast<char>(c | 0x20);
            const char* hit = std::char_traits<char>::find(LETTERS, 6, lower);
            if (!hit) throw std::invalid_argument(std::string("unknown piece letter ") + c);
            const auto code = static_cast<PieceCode>(hit - LETTERS + 1);
            b.at(f, r) = (c == lower) ? code : static_cast<PieceCode>(-code);
        }
    }
    return b;
}

std::array<std::string, 8> boardRows(const Board& b) {
    std::array<std::string, 8> rows;
    for (int r = 1; r <= 8; ++r) {
        for (int f = 1; f <= 8; ++f) {
            const PieceCode c = b.at(f, r);
            if (c == EMPTY) {
                rows[r - 1] += '.';
            } else {
                const char letter = LETTERS[absCode(c) - 1];
                rows[r - 1] += c > 0 ? letter : static_cast<char>(letter - 0x20);
            }
        }
    }
    return rows;
}

void setUp(Game& g, const Board& left, const Board& right) {
    putPosition(g, left, right);
    勢力調査(g, BoardId::LEFT);
    勢力調査(g, BoardId::RIGHT);
}

void setUp(Game& g, const Board& left) { setUp(g, left, Board{}); }

}  // namespace velmora::testing
