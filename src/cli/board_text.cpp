#include "cli/board_text.h"

#include "record/notation.h"

namespace velmora::cli {
namespace {

const char* symbol(PieceCode c) {
    static const char* const BLACK[] = {"♟", "♞", "♝", "♜", "♛", "♚"};
    static const char* const WHITE[] = {"♙", "♘", "♗", "♖", "♕", "♔"};
    if (isBlack(c) && c <= BLACK_KING) return BLACK[c - 1];
    if (isWhite(c) && c >= WHITE_KING) return WHITE[-c - 1];
    return "·";
}

std::string fileRow() {
    std::string row = "   ";
    for (int f = 1; f <= 8; ++f) row += 文字列変換(f);
    return row;
}

std::string rankRow(const Board& b, int rank) {
    std::string row = 文字列変換(1000 + 9 - rank) + " ";
    for (int f = 1; f <= 8; ++f) {
        row += symbol(b.at(f, rank));
        row += " ";
    }
    return row;
}

}  // namespace

std::string boardsText(const Board& left, const Board& right) {
    std::string out = "   左                     右\n";
    out += fileRow() + "   " + fileRow() + "\n";
    for (int r = 1; r <= 8; ++r) out += rankRow(left, r) + "    " + rankRow(right, r) + "\n";
    return out;
}

}  // namespace velmora::cli
