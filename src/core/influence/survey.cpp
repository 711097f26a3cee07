#include "influence/survey.h"

#include "board/directions.h"

// The survey walks every piece of a board and marks what it covers: attack
// counts, the weakest guard and strongest threat of each square (with the
// square they come from), and the check lines through to a king. Both
// colours' pieces are walked by the same code; what differs between them is
// in ColourGrids and coverRules.
namespace velmora {
namespace {

// One colour's side of the influence map and of the board's state.
struct ColourGrids {
    IntGrid InfluenceMap::*attacks;
    IntGrid InfluenceMap::*defender;
    Grid<Square> InfluenceMap::*defenderFrom;  // null: white keeps no guard squares
    IntGrid InfluenceMap::*threat;
    Grid<Square> InfluenceMap::*threatFrom;
    IntGrid InfluenceMap::*checkLine;
    Square BoardState::*king;
    PieceCode enemyKing;
    int forward;  // a pawn's covered squares lie one rank this way
};

constexpr ColourGrids gridsOf(Colour c) {
    if (c == Colour::White) {
        return {&InfluenceMap::whiteAttacks, &InfluenceMap::whiteDefender, nullptr,
                &InfluenceMap::whiteThreat,  &InfluenceMap::whiteThreatFrom, &InfluenceMap::whiteCheckLine,
                &BoardState::whiteKing,      BLACK_KING,                    -1};
    }
    return {&InfluenceMap::blackAttacks, &InfluenceMap::blackDefender, &InfluenceMap::blackDefenderFrom,
            &InfluenceMap::blackThreat,  &InfluenceMap::blackThreatFrom, &InfluenceMap::blackCheckLine,
            &BoardState::blackKing,      WHITE_KING,                     +1};
}

// What a piece's cover writes besides the attack count and the guard's code.
struct CoverRules {
    bool writeSquares;  // the square of the guard or threat it becomes
    bool threats;       // enemy pieces it covers count as threatened
};

// White's pieces all write everything. Black's pawn lowers guard and threat
// codes but records no square, its knight marks no threat, its king neither.
constexpr CoverRules coverRules(Colour c, int kind) {
    if (c == Colour::White) return {true, true};
    switch (kind) {
        case PAWN: return {false, true};
        case KNIGHT: return {true, false};
        case KING: return {false, false};
        default: return {true, true};
    }
}

// The piece of code p of colour C on (af, ar) covers (sf, sr): one more
// attack there; an own piece there keeps the lower code as its guard; an
// enemy piece keeps as its threat the code nearer zero, the cheaper attacker.
template <Colour C>
void cover(BoardState& bs, int p, int af, int ar, int sf, int sr, CoverRules how) {
    constexpr ColourGrids grids = gridsOf(C);
    InfluenceMap& m = bs.influence;
    const int idx = IntGrid::index(sf, sr);
    (m.*grids.attacks).cells[idx] += 1;
    const PieceCode there = bs.board.cells[idx];
    if (isColour(there, C)) {
        IntGrid& defender = m.*grids.defender;
        if (defender.cells[idx] > p) {
            defender.cells[idx] = static_cast<std::int16_t>(p);
            if constexpr (grids.defenderFrom != nullptr) {
                if (how.writeSquares) (m.*grids.defenderFrom).cells[idx] = {af, ar};
            }
        }
    } else if (isColour(there, -C) && how.threats) {
        IntGrid& threat = m.*grids.threat;
        if (p * sign(C) < threat.cells[idx] * sign(C)) {
            threat.cells[idx] = static_cast<std::int16_t>(p);
            if (how.writeSquares) (m.*grids.threatFrom).cells[idx] = {af, ar};
        }
    }
}

// Walks from (f, r) in direction (df, dr) until a piece other than the enemy
// king stops it. Meeting the enemy king marks the check line and goes on.
template <Colour C>
void walk(BoardState& bs, int p, int f, int r, int df, int dr) {
    constexpr ColourGrids grids = gridsOf(C);
    IntGrid& checkLine = bs.influence.*grids.checkLine;
    for (int sf = f + df, sr = r + dr; onBoard(sf, sr); sf += df, sr += dr) {
        cover<C>(bs, p, f, r, sf, sr, {true, true});
        const PieceCode there = bs.board.at(sf, sr);
        if (there == grids.enemyKing) {
            for (int bf = f + df, br = r + dr; bf != sf || br != sr; bf += df, br += dr) {
                checkLine.at(bf, br) = BETWEEN_MARK;
            }
            checkLine.at(f, r) = CHECKER_MARK;
        } else if (there != EMPTY) {
            return;
        }
    }
}

// The sign of p chooses the colour.
void lineWalk(BoardState& bs, int p, int f, int r, int df, int dr) {
    if (isWhite(p)) {
        walk<Colour::White>(bs, p, f, r, df, dr);
    } else {
        walk<Colour::Black>(bs, p, f, r, df, dr);
    }
}

}  // namespace

void 勢力確定下直進(BoardState& bs, int p, int f, int r) { lineWalk(bs, p, f, r, 0, +1); }
void 勢力確定上直進(BoardState& bs, int p, int f, int r) { lineWalk(bs, p, f, r, 0, -1); }
void 勢力確定右直進(BoardState& bs, int p, int f, int r) { lineWalk(bs, p, f, r, +1, 0); }
void 勢力確定左直進(BoardState& bs, int p, int f, int r) { lineWalk(bs, p, f, r, -1, 0); }

namespace {

// A pawn's or knight's single step; a pawn or knight giving check marks the
// check line on its own square only.
template <Colour C>
void jump(BoardState& bs, int p, int f, int r, int sf, int sr, CoverRules how) {
    if (!onBoard(sf, sr)) return;
    cover<C>(bs, p, f, r, sf, sr, how);
    if (bs.board.at(sf, sr) == gridsOf(C).enemyKing) (bs.influence.*gridsOf(C).checkLine).at(f, r) = CHECKER_MARK;
}

void rookLines(BoardState& bs, int p, int f, int r) {
    勢力確定下直進(bs, p, f, r);
    勢力確定上直進(bs, p, f, r);
    勢力確定右直進(bs, p, f, r);
    勢力確定左直進(bs, p, f, r);
}

// The four diagonal walks cover separate squares, so their order changes nothing.
template <Colour C>
void diagonals(BoardState& bs, int p, int f, int r) {
    for (const Step& d : DIAGONAL_STEPS) walk<C>(bs, p, f, r, d.df, d.dr);
}

// Everything the piece of code p, colour C, on (f, r) covers.
template <Colour C>
void pieceCover(BoardState& bs, PieceCode p, int f, int r) {
    const int kind = absCode(p);
    const CoverRules how = coverRules(C, kind);
    switch (kind) {
        case PAWN:
            for (int side : {-1, +1}) jump<C>(bs, p, f, r, f + side, r + gridsOf(C).forward, how);
            break;
        case KNIGHT:
            for (const Step& d : KNIGHT_STEPS) jump<C>(bs, p, f, r, f + d.df, r + d.dr, how);
            break;
        case BISHOP:
            diagonals<C>(bs, p, f, r);
            break;
        case ROOK:
            rookLines(bs, p, f, r);
            break;
        case QUEEN:
            rookLines(bs, p, f, r);
            diagonals<C>(bs, p, f, r);
            break;
        case KING:
            bs.*gridsOf(C).king = {f, r};
            for (const Step& d : KING_STEPS) {
                if (onBoard(f + d.df, r + d.dr)) cover<C>(bs, p, f, r, f + d.df, r + d.dr, how);
            }
            break;
        default:
            break;
    }
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
            // A value that is no piece code covers nothing.
            if (c == EMPTY || !isPieceCode(c)) continue;
            if (isWhite(c)) {
                pieceCover<Colour::White>(bs, c, f, r);
            } else {
                pieceCover<Colour::Black>(bs, c, f, r);
            }
        }
    }
}

}  // namespace velmora
