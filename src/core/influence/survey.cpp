#include "influence/survey.h"

#include "board/directions.h"

// The survey walks every piece of a board and marks what it covers: attack
// counts, the weakest guard and strongest threat of each square (with the
// square they come from), and the check lines through to a king.
namespace velmora {
namespace cover {

// The cover steps: a piece of code p on square (af, ar) covers square (sf, sr).
// White step 1-3. The white king performs these only; other white pieces add step 4.
inline void whiteSteps123(BoardState& bs, int p, int af, int ar, int sf, int sr) {
    InfluenceMap& m = bs.influence;
    const int idx = IntGrid::index(sf, sr);
    m.whiteAttacks.cells[idx] += 1;
    const PieceCode there = bs.board.cells[idx];
    if (isWhite(there)) {
        if (m.whiteDefender.cells[idx] > p) m.whiteDefender.cells[idx] = static_cast<std::int16_t>(p);
    } else if (isBlack(there)) {
        if (m.whiteThreat.cells[idx] < p) {
            m.whiteThreat.cells[idx] = static_cast<std::int16_t>(p);
            m.whiteThreatFrom.cells[idx] = {af, ar};
        }
    }
}

// Black step 2 and 3 with or without writing the square grids, step 3 optional.
struct BlackSteps {
    bool writeSquares;
    bool step3;
};

inline void blackSteps123(BoardState& bs, int p, int af, int ar, int sf, int sr, BlackSteps how) {
    InfluenceMap& m = bs.influence;
    const int idx = IntGrid::index(sf, sr);
    m.blackAttacks.cells[idx] += 1;
    const PieceCode there = bs.board.cells[idx];
    if (isBlack(there)) {
        if (m.blackDefender.cells[idx] > p) {
            m.blackDefender.cells[idx] = static_cast<std::int16_t>(p);
            if (how.writeSquares) {
                m.blackDefenderFrom.cells[idx] = {af, ar};
            }
        }
    } else if (isWhite(there) && how.step3) {
        if (m.blackThreat.cells[idx] > p) {
            m.blackThreat.cells[idx] = static_cast<std::int16_t>(p);
            if (how.writeSquares) {
                m.blackThreatFrom.cells[idx] = {af, ar};
            }
        }
    }
}

}  // namespace cover

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
    if (isWhite(p)) {
        walk<true>(bs, p, f, r, df, dr);
    } else {
        walk<false>(bs, p, f, r, df, dr);
    }
}

// The four walks cover separate squares, so their order changes nothing.
void diagonals(BoardState& bs, int p, int f, int r) {
    for (const Step& d : DIAGONAL_STEPS) lineWalk(bs, p, f, r, d.df, d.dr);
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

namespace {

// Pawns and knights of both sides mark the check line on their own square.
void whiteJump(BoardState& bs, int p, int f, int r, int sf, int sr) {
    if (!onBoard(sf, sr)) return;
    cover::whiteSteps123(bs, p, f, r, sf, sr);
    if (bs.board.at(sf, sr) == BLACK_KING) bs.influence.whiteCheckLine.at(f, r) = CHECKER_MARK;
}

void blackJump(BoardState& bs, int p, int f, int r, int sf, int sr, cover::BlackSteps how) {
    if (!onBoard(sf, sr)) return;
    cover::blackSteps123(bs, p, f, r, sf, sr, how);
    if (bs.board.at(sf, sr) == WHITE_KING) bs.influence.blackCheckLine.at(f, r) = CHECKER_MARK;
}

void rookLines(BoardState& bs, int p, int f, int r) {
    勢力確定下直進(bs, p, f, r);
    勢力確定上直進(bs, p, f, r);
    勢力確定右直進(bs, p, f, r);
    勢力確定左直進(bs, p, f, r);
}

void reset(InfluenceMap& m) {
    m.whiteAttacks.fill(0);
    m.blackAttacks.fill(0);
    m.whiteThreatFrom.fill({});
    m.whiteCheckLine.fill(0);
    m.blackCheckLine.fill(0);
    m.whiteThreat.fill(NO_WHITE_THREAT);
    m.whiteDefender.fill(NO_DEFENDER);
    m.blackDefender.fill(NO_DEFENDER);
    m.blackThreat.fill(NO_DEFENDER);
}

}  // namespace

void 勢力調査(BoardState& bs) {
    reset(bs.influence);
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const PieceCode c = bs.board.at(f, r);
            switch (c) {
                case EMPTY:
                    break;
                case WHITE_PAWN:
                    if (r > 1) {
                        whiteJump(bs, c, f, r, f - 1, r - 1);
                        whiteJump(bs, c, f, r, f + 1, r - 1);
                    }
                    break;
                case WHITE_KNIGHT:
                    for (const Step& d : KNIGHT_STEPS) whiteJump(bs, c, f, r, f + d.df, r + d.dr);
                    break;
                case WHITE_BISHOP:
                    勢力確定白ビショ(bs, f, r);
                    break;
                case WHITE_ROOK:
                    rookLines(bs, c, f, r);
                    break;
                case WHITE_QUEEN:
                    rookLines(bs, c, f, r);
                    勢力確定白クイーン(bs, f, r);
                    break;
                case WHITE_KING:
                    bs.whiteKing = {f, r};
                    for (const Step& d : KING_STEPS) {
                        if (onBoard(f + d.df, r + d.dr)) cover::whiteSteps123(bs, c, f, r, f + d.df, r + d.dr);
                    }
                    break;
                case BLACK_PAWN:
                    // A pawn lowers guard and threat codes but records no square.
                    if (r < 8) {
                        blackJump(bs, c, f, r, f - 1, r + 1, {false, true});
                        blackJump(bs, c, f, r, f + 1, r + 1, {false, true});
                    }
                    break;
                case BLACK_KNIGHT:
                    for (const Step& d : KNIGHT_STEPS) blackJump(bs, c, f, r, f + d.df, r + d.dr, {true, false});
                    break;
                case BLACK_BISHOP:
                    勢力確定黒ビショ(bs, c, f, r);
                    break;
                case BLACK_ROOK:
                    rookLines(bs, c, f, r);
                    break;
                case BLACK_QUEEN:
                    rookLines(bs, c, f, r);
                    勢力確定黒クイーン(bs, f, r);
                    break;
                case BLACK_KING:
                    bs.blackKing = {f, r};
                    for (const Step& d : KING_STEPS) {
                        if (onBoard(f + d.df, r + d.dr)) {
                            cover::blackSteps123(bs, c, f, r, f + d.df, r + d.dr, {false, false});
                        }
                    }
                    break;
                default:
                    break;  // not a piece code: covers nothing
            }
        }
    }
}

}  // namespace velmora
