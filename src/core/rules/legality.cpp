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

int blackPawn(const Board& b, int ff, int fr, int tf, int tr) {
    const PieceCode there = b.at(tf, tr);
    if (tf == ff && there != EMPTY) return OFF;
    if (tr == fr + 1) {
        if (tf == ff) return ON;
        if (std::abs(tf - ff) == 1) {
            if (there != EMPTY) return ON;
            if (fr == 5 && b.at(tf, 5) == WHITE_PAWN) return ON;  // en passant, any time
        }
    }
    if (fr == 2 && tr == 4 && tf == ff && b.at(tf, 3) == EMPTY) return ON;
    return OFF;
}

int whitePawn(const Board& b, int ff, int fr, int tf, int tr) {
    const PieceCode there = b.at(tf, tr);
    if (tf == ff && there != EMPTY) return OFF;
    if (tr == fr - 1) {
        if (tf == ff) return ON;
        if (std::abs(tf - ff) == 1) {
            if (there != EMPTY) return ON;
            if (fr == 4 && b.at(tf, 4) == BLACK_PAWN) return ON;
        }
    }
    if (fr == 7 && tr == 5 && tf == ff && b.at(tf, 6) == EMPTY) return ON;
    return OFF;
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

int 移動チェック_ルーク(const Board& b, int ff, int fr, int tf, int tr) {
    if (ff != tf && fr != tr) return OFF;
    if (fr != tr) {
        const int step = tr > fr ? 1 : -1;
        for (int r = fr + step; r != tr; r += step) {
            if (b.at(tf, r) != EMPTY) return OFF;
        }
    }
    if (ff != tf) {
        const int step = tf > ff ? 1 : -1;
        for (int f = ff + step; f != tf; f += step) {
            if (b.at(f, tr) != EMPTY) return OFF;
        }
    }
    return ON;
}

int 移動チェック_ビショ(const Board& b, int ff, int fr, int tf, int tr) {
    if (ff - fr != tf - tr && ff + fr != tf + tr) return OFF;
    const int df = tf > ff ? 1 : -1;
    const int dr = tr > fr ? 1 : -1;
    for (int f = ff + df, r = fr + dr; f != tf; f += df, r += dr) {
        if (b.at(f, r) != EMPTY) return OFF;
    }
    return ON;
}

int 移動チェック(BoardState& bs, int ff, int fr, int tf, int tr, PieceCode piece) {
    if (!onBoard(tf, tr)) return OFF;
    if (tf == ff && tr == fr) return OFF;
    const Board& b = bs.board;
    const PieceCode there = b.at(tf, tr);
    if ((isBlack(piece) && isBlack(there)) || (isWhite(piece) && isWhite(there))) return OFF;
    switch (piece) {
        case BLACK_KNIGHT:
        case WHITE_KNIGHT:
            return knightJump(ff, fr, tf, tr) ? ON : OFF;
        case BLACK_BISHOP:
        case WHITE_BISHOP:
            return 移動チェック_ビショ(b, ff, fr, tf, tr);
        case BLACK_ROOK:
        case WHITE_ROOK:
            return 移動チェック_ルーク(b, ff, fr, tf, tr);
        case BLACK_QUEEN:
        case WHITE_QUEEN:
            return (移動チェック_ルーク(b, ff, fr, tf, tr) == ON || 移動チェック_ビショ(b, ff, fr, tf, tr) == ON) ? ON
                                                                                                         : OFF;
        case BLACK_PAWN:
            return blackPawn(b, ff, fr, tf, tr);
        case WHITE_PAWN:
            return whitePawn(b, ff, fr, tf, tr);
        case BLACK_KING:
        case WHITE_KING:
            if (castles(bs, ff, fr, tf, tr, piece)) return ON;
            return (std::abs(tf - ff) <= 1 && std::abs(tr - fr) <= 1) ? ON : OFF;
        default:
            return OFF;  // an empty square moves nowhere
    }
}

int 移動後チェック_キング(BoardState& bs, int ff, int fr, int tf, int tr, int turnValue, const GameState& st) {
    Board& b = bs.board;
    const PieceCode fromCode = b.at(ff, fr);
    const PieceCode toCode = b.at(tf, tr);
    b.at(tf, tr) = fromCode;
    b.at(ff, fr) = EMPTY;
    勢力調査(bs);
    int result = ON;
    if (turnValue == st.blackTurn) {
        if (bs.influence.whiteAttacks.at(bs.blackKing) > 0) result = OFF;
    } else if (turnValue == st.whiteTurn) {
        if (bs.influence.blackAttacks.at(bs.whiteKing) > 0) result = OFF;
    }
    b.at(ff, fr) = fromCode;
    b.at(tf, tr) = toCode;
    return result;
}

}  // namespace velmora
