#include "rules/end_tests.h"

#include "board/directions.h"
#include "influence/survey.h"
#include "rules/legality.h"

namespace velmora {

bool 存在チェック駒(const Board& b, PieceCode code) {
    for (PieceCode c : b.cells) {
        if (c == code) return true;
    }
    return false;
}

bool ステールメイトか(const BoardState& bs, Square kingSquare) {
    const auto [kingFile, kingRank] = kingSquare;
    if (!onBoard(kingFile, kingRank)) return false;
    const PieceCode king = bs.board.at(kingFile, kingRank);
    const IntGrid* enemy = nullptr;
    if (king == BLACK_KING) {
        enemy = &bs.influence.whiteAttacks;
    } else if (king == WHITE_KING) {
        enemy = &bs.influence.blackAttacks;
    } else {
        return false;
    }
    if (enemy->at(kingFile, kingRank) != 0) return false;
    for (const Step& d : KING_STEPS) {
        const int x = kingFile + d.df, y = kingRank + d.dr;
        if (onBoard(x, y) && enemy->at(x, y) == 0) return false;
    }
    return true;
}

bool kingGoneFromEitherBoard(const RulesState& s, PieceCode king) {
    return !存在チェック駒(s.board(BoardId::LEFT), king) || !存在チェック駒(s.board(BoardId::RIGHT), king);
}

namespace {

// A king step to an unattacked square escapes the check.
bool kingCanStepOut(BoardState& bs, Square k, PieceCode king, const IntGrid& enemy) {
    for (int x = k.file - 1; x <= k.file + 1; ++x) {
        for (int y = k.rank - 1; y <= k.rank + 1; ++y) {
            if (!onBoard(x, y)) continue;
            // The move test may survey the board; read the map afterwards.
            if (移動チェック(bs, k, {x, y}, king) && enemy.at(x, y) == 0) return true;
        }
    }
    return false;
}

// The mate test of either king: attacked, no king step out of the check, and
// no other piece of its side can move onto the check line so that the check
// is lifted. `escapes` judges the board with one such move tried on it. The
// grids are read as they stand: a trial may rewrite them.
template <class Escapes>
bool mated(BoardState& bs, PieceCode king, Escapes escapes) {
    const bool black = king == BLACK_KING;
    const Colour colour = colourOf(king);
    const Square k = black ? bs.blackKing : bs.whiteKing;
    const IntGrid& enemy = black ? bs.influence.whiteAttacks : bs.influence.blackAttacks;
    const IntGrid& checkLine = black ? bs.influence.whiteCheckLine : bs.influence.blackCheckLine;
    if (!onBoard(k.file, k.rank)) return false;
    if (enemy.at(k) == 0) return false;
    if (kingCanStepOut(bs, k, king, enemy)) return false;

    Board& b = bs.board;
    for (int sf = 1; sf <= 8; ++sf) {
        for (int sr = 1; sr <= 8; ++sr) {
            const PieceCode s = b.at(sf, sr);
            const bool ours = isColour(s, colour) && absCode(s) < KING;
            if (!ours) continue;
            for (int tf = 1; tf <= 8; ++tf) {
                for (int tr = 1; tr <= 8; ++tr) {
                    // Staying put is no move; the move test would refuse it too.
                    if (tf == sf && tr == sr) continue;
                    if (checkLine.at(tf, tr) <= 0) continue;
                    if (!移動チェック(bs, {sf, sr}, {tf, tr}, s)) continue;
                    const PieceCode kept = b.at(tf, tr);
                    b.at(tf, tr) = s;
                    b.at(sf, sr) = EMPTY;
                    const bool escaped = escapes(bs, k);
                    b.at(sf, sr) = s;
                    b.at(tf, tr) = kept;
                    if (escaped) return false;
                }
            }
        }
    }
    return true;
}

}  // namespace

bool 詰めかCOM(BoardState& bs) {
    // The black king escapes when a fresh survey finds it unattacked; the
    // survey leaves the grids describing the trial.
    return mated(bs, BLACK_KING, [](BoardState& trial, Square k) {
        勢力調査(trial);
        return trial.influence.whiteAttacks.at(k) == 0;
    });
}

bool 詰めかMAN_COM移動(BoardState& bs) {
    const Square k = bs.whiteKing;
    for (int sf = 1; sf <= 8; ++sf) {
        for (int sr = 1; sr <= 8; ++sr) {
            const PieceCode s = bs.board.at(sf, sr);
            if (isBlack(s) && 移動チェック(bs, {sf, sr}, k, s)) return true;
        }
    }
    return false;
}

bool 詰めかMAN(BoardState& bs) {
    // The white king escapes when no black piece can take it any more.
    return mated(bs, WHITE_KING, [](BoardState& trial, Square) { return !詰めかMAN_COM移動(trial); });
}

int 調査_白キング逃道(BoardState& bs) {
    const int f = bs.whiteKing.file;
    const int r = bs.whiteKing.rank;
    int count = 0;
    for (const Step& d : KING_STEPS) {
        const int x = f + d.df;
        const int y = r + d.dr;
        if (!onBoard(x, y)) continue;
        if (bs.board.at(x, y) == EMPTY && bs.influence.blackAttacks.at(x, y) == 0) {
            bs.whiteKingEscapeMap.at(x, y) = 1;
            ++count;
        }
    }
    return count;
}

}  // namespace velmora
