#include "influence/walks.h"

#include "influence/cover.h"

namespace velmora {
namespace {

// Walks from (f, r) in direction (df, dr) until a piece other than the enemy
// king stops it. Meeting the enemy king marks the check line and goes on.
template <bool White>
void walk(BoardState& bs, int p, int f, int r, int df, int dr) {
    constexpr PieceCode enemyKing = White ? BLACK_KING : WHITE_KING;
    IntGrid& checkLine = White ? bs.influence.whiteCheckLine : bs.influence.blackCheckLine;
    for (int sf = f + df, sr = r + dr; onBoard(sf, sr); sf += df, sr += dr) {
        if constexpr (White) {
            cover::whiteSteps123(bs, p, f, r, sf, sr);
        } else {
            cover::blackSteps123(bs, p, f, r, sf, sr, {true, true});
        }
        const PieceCode there = bs.board.at(sf, sr);
        if (there == enemyKing) {
            for (int bf = f + df, br = r + dr; bf != sf || br != sr; bf += df, br += dr) {
                checkLine.at(bf, br) = BETWEEN_MARK;
            }
            checkLine.at(f, r) = CHECKER_MARK;
        } else if (there != EMPTY) {
            return;
        }
    }
}

void lineWalk(BoardState& bs, int p, int f, int r, int df, int dr) {
    if (p < 0) {
        walk<true>(bs, p, f, r, df, dr);
    } else {
        walk<false>(bs, p, f, r, df, dr);
    }
}

void diagonals(BoardState& bs, int p, int f, int r) {
    lineWalk(bs, p, f, r, -1, -1);
    lineWalk(bs, p, f, r, +1, -1);
    lineWalk(bs, p, f, r, -1, +1);
    lineWalk(bs, p, f, r, +1, +1);
}

}  // namespace

void 勢力確定下直進(BoardState& bs, int p, int f, int r) { lineWalk(bs, p, f, r, 0, +1); }
void 勢力確定上直進(BoardState& bs, int p, int f, int r) { lineWalk(bs, p, f, r, 0, -1); }
void 勢力確定右直進(BoardState& bs, int p, int f, int r) { lineWalk(bs, p, f, r, +1, 0); }
void 勢力確定左直進(BoardState& bs, int p, int f, int r) { lineWalk(bs, p, f, r, -1, 0); }

void 勢力確定白クイーン(BoardState& bs, int f, int r) { diagonals(bs, WHITE_QUEEN, f, r); }
void 勢力確定黒クイーン(BoardState& bs, int f, int r) { diagonals(bs, BLACK_QUEEN, f, r); }
void 勢力確定白ビショ(BoardState& bs, int f, int r) { diagonals(bs, WHITE_BISHOP, f, r); }
void 勢力確定黒ビショ(BoardState& bs, int p, int f, int r) { diagonals(bs, p, f, r); }

}  // namespace velmora
