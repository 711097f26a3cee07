#include "rules/legality.h"

#include <cstdlib>

#include "influence/survey.h"

namespace velmora {
namespace {

bool knightJump(int ff, int fr, int tf, int tr) {
    const int df = std::abs(tf - ff);
    const int dr = std::abs(tr - fr);
    return (df == 1 && dr == 2) || (df == 2 && dr == 1);
}

bool blackPawn(const Board& b, int ff, int fr, int tf, int tr) {
    const PieceCode there = b.at(tf, tr);
    if (tf == ff && there != EMPTY) return false;
    if (tr == fr + 1) {
        if (tf == ff) return true;
        if (std::abs(tf - ff) == 1) {
            if (there != EMPTY) return true;
            if (fr == 5 && b.at(tf, 5) == WHITE_PAWN) return true;  // en passant, any time
        }
    }
    if (fr == 2 && tr == 4 && tf == ff && b.at(tf, 3) == EMPTY) return true;
    return false;
}

bool whitePawn(const Board& b, int ff, int fr, int tf, int tr) {
    const PieceCode there = b.at(tf, tr);
    if (tf == ff && there != EMPTY) return false;
    if (tr == fr - 1) {
        if (tf == ff) return true;
        if (std::abs(tf - ff) == 1) {
            if (there != EMPTY) return true;
            if (fr == 4 && b.at(tf, 4) == BLACK_PAWN) return true;
        }
    }
    if (fr == 7 && tr == 5 && tf == ff && b.at(tf, 6) == EMPTY) return true;
    return false;
}

// Castling is judged from the position alone: a king on its home square (file 5,
// or file 4 in the exchanged layout) with its rook in the corner.
bool castles(BoardState& bs, int ff, int fr, int tf, int tr, PieceCode king) {
    const bool white = king == WHITE_KING;
    const int rank = white ? 8 : 1;
    const PieceCode rook = white ? WHITE_ROOK : BLACK_ROOK;
    if (fr != rank) return false;
    const Board& b = bs.board;
    // No way to castle from here, or both ways blocked beside the king and
    // beside the queenside rook: no need to survey.
    bool open = false;
    for (const CastlingRow& row : CASTLING) open = open || (row.kingFrom == ff && b.at(row.emptyFrom, rank) == EMPTY);
    if (!open) return false;

    勢力調査(bs);
    const IntGrid& enemy = white ? bs.influence.blackAttacks : bs.influence.whiteAttacks;
    if (enemy.at(ff, fr) != 0 || enemy.at(tf, tr) != 0) return false;

    for (const CastlingRow& row : CASTLING) {
        if (row.kingFrom != ff || b.at(row.rookFrom, rank) != rook) continue;
        bool clear = true;
        for (int f = row.emptyFrom; f <= row.emptyTo; ++f) clear = clear && b.at(f, rank) == EMPTY;
        if (clear && tf == row.kingTo && tr == rank) return true;
    }
    return false;
}

}  // namespace

bool 移動チェック_ルーク(const Board& b, Square from, Square to) {
    const auto [ff, fr] = from;
    const auto [tf, tr] = to;
    if (ff != tf && fr != tr) return false;
    if (fr != tr) {
        const int step = tr > fr ? 1 : -1;
        for (int r = fr + step; r != tr; r += step) {
            if (b.at(tf, r) != EMPTY) return false;
        }
    }
    if (ff != tf) {
        const int step = tf > ff ? 1 : -1;
        for (int f = ff + step; f != tf; f += step) {
            if (b.at(f, tr) != EMPTY) return false;
        }
    }
    return true;
}

bool 移動チェック_ビショ(const Board& b, Square from, Square to) {
    const auto [ff, fr] = from;
    const auto [tf, tr] = to;
    if (ff - fr != tf - tr && ff + fr != tf + tr) return false;
    const int df = tf > ff ? 1 : -1;
    const int dr = tr > fr ? 1 : -1;
    for (int f = ff + df, r = fr + dr; f != tf; f += df, r += dr) {
        if (b.at(f, r) != EMPTY) return false;
    }
    return true;
}

bool 移動チェック(BoardState& bs, Square from, Square to, PieceCode piece) {
    const auto [ff, fr] = from;
    const auto [tf, tr] = to;
    if (!onBoard(tf, tr)) return false;
    if (tf == ff && tr == fr) return false;
    const Board& b = bs.board;
    const PieceCode there = b.at(tf, tr);
    if (sameColour(piece, there)) return false;
    switch (piece) {
        case BLACK_KNIGHT:
        case WHITE_KNIGHT:
            return knightJump(ff, fr, tf, tr);
        case BLACK_BISHOP:
        case WHITE_BISHOP:
            return 移動チェック_ビショ(b, from, to);
        case BLACK_ROOK:
        case WHITE_ROOK:
            return 移動チェック_ルーク(b, from, to);
        case BLACK_QUEEN:
        case WHITE_QUEEN:
            return 移動チェック_ルーク(b, from, to) || 移動チェック_ビショ(b, from, to);
        case BLACK_PAWN:
            return blackPawn(b, ff, fr, tf, tr);
        case WHITE_PAWN:
            return whitePawn(b, ff, fr, tf, tr);
        case BLACK_KING:
        case WHITE_KING:
            if (castles(bs, ff, fr, tf, tr, piece)) return true;
            return std::abs(tf - ff) <= 1 && std::abs(tr - fr) <= 1;
        default:
            return false;  // an empty square moves nowhere
    }
}

bool 移動後チェック_キング(BoardState& bs, Square from, Square to, Side turnValue, const GameState& st) {
    Board& b = bs.board;
    const PieceCode fromCode = b.at(from);
    const PieceCode toCode = b.at(to);
    b.at(to) = fromCode;
    b.at(from) = EMPTY;
    勢力調査(bs);
    // The survey keeps a king's square until it finds the king elsewhere:
    // with no king of the mover on this board the square it names is empty
    // or holds another piece, and there is no king to expose.
    bool result = true;
    const std::optional<Colour> mover = colourOf(st, turnValue);
    if (mover == Colour::Black) {
        if (b.at(bs.blackKing) == BLACK_KING && bs.influence.whiteAttacks.at(bs.blackKing) > 0) result = false;
    } else if (mover == Colour::White) {
        if (b.at(bs.whiteKing) == WHITE_KING && bs.influence.blackAttacks.at(bs.whiteKing) > 0) result = false;
    }
    b.at(from) = fromCode;
    b.at(to) = toCode;
    return result;
}

}  // namespace velmora
