#include "com/probes.h"

#include "com/com_state.h"
#include "rules/legality.h"

namespace velmora {

int 調査_移動可場所数(BoardState& bs, Square from, PieceCode piece) {
    const IntGrid& enemy = isBlack(piece) ? bs.influence.whiteAttacks : bs.influence.blackAttacks;
    int count = 0;
    for (int a = 1; a <= 8; ++a) {
        for (int b = 1; b <= 8; ++b) {
            // A king's move test may survey the board: read the map afterwards.
            if (移動チェック(bs, from, {a, b}, piece) && enemy.at(a, b) == 0) ++count;
        }
    }
    return count;
}

int 調査_周辺状況(const Board& left, Square square) {
    const auto [file, rank] = square;
    int value = 0;
    for (int f = file - 1; f <= file + 1; ++f) {
        for (int r = rank - 1; r <= rank + 1; ++r) {
            if (!onBoard(f, r) || (f == file && r == rank)) continue;
            if (left.at(f, r) >= BLACK_BISHOP) --value;
        }
    }
    return value;
}

bool 調査_自守駒MAN_直進駒(BoardState& left, Square square) {
    if (!onBoard(square)) return false;
    const auto [file, rank] = square;
    Board& b = left.board;
    const PieceCode lifted = b.at(file, rank);
    b.at(file, rank) = EMPTY;
    bool answer = false;
    for (int r = rank + 1; r <= 8; ++r) {
        const PieceCode c = b.at(file, r);
        if (isBlack(c)) break;
        if (c == WHITE_ROOK) {
            answer = 移動チェック(left, {file, r}, {file, rank}, c);
            break;
        }
    }
    b.at(file, rank) = lifted;
    return answer;
}

void 調査_移動不可駒(Game& g) {
    BoardState& left = g.side(BoardId::LEFT);
    Board& b = left.board;
    IntGrid& pinned = comState(g).of(BoardId::LEFT).pinnedWhite;
    comState(g).blackPinned = false;

    // The pinning pieces: bishops and rooks only, queens are not looked at.
    Square blackLiners[64], whiteLiners[64];
    int blackCount = 0, whiteCount = 0;
    for (int a = 1; a <= 8; ++a) {
        for (int c = 1; c <= 8; ++c) {
            const PieceCode p = b.at(a, c);
            if (p == BLACK_BISHOP || p == BLACK_ROOK) blackLiners[blackCount++] = {a, c};
            if (p == WHITE_BISHOP || p == WHITE_ROOK) whiteLiners[whiteCount++] = {a, c};
        }
    }

    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            pinned.at(f, r) = 0;
            const PieceCode piece = b.at(f, r);
            if (piece == EMPTY) continue;
            b.at(f, r) = EMPTY;
            if (isWhite(piece)) {
                const Square k = left.whiteKing;
                for (int i = 0; i < blackCount && pinned.at(f, r) == 0; ++i) {
                    const Square s = blackLiners[i];
                    if (移動チェック(left, s, k, b.at(s))) pinned.at(f, r) = 1;
                }
            } else {
                const Square k = left.blackKing;
                for (int i = 0; i < whiteCount && !comState(g).blackPinned; ++i) {
                    const Square s = whiteLiners[i];
                    if (移動チェック(left, s, k, b.at(s))) comState(g).blackPinned = true;
                }
            }
            b.at(f, r) = piece;
        }
    }
}

}  // namespace velmora
