#include "com/board_evaluation.h"

#include <algorithm>
#include <cstdlib>

#include "com/com_state.h"
#include "com/danger.h"
#include "com/probes.h"
#include "rules/end_tests.h"
#include "rules/execution.h"
#include "rules/legality.h"

namespace velmora {
namespace {

// Everything one evaluation reads, named as the terms name it. Grids are read
// live: some probes survey the board again while the terms run.
struct Eval {
    Game& g;
    BoardId id;
    BoardState& bs;
    BoardState& other;
    const ComBoardWork& work;
    const ComBoardWork& otherWork;
    InfluenceMap& m;
    Board& b;
    PieceCode captured, piece;
    int ff, fr, tf, tr;
    Square wk;
    int dx, dy;

    int wa(int f, int r) const { return m.whiteAttacks.at(f, r); }
    int ba(int f, int r) const { return m.blackAttacks.at(f, r); }
    int waTo() const { return wa(tf, tr); }
    int baTo() const { return ba(tf, tr); }
    bool whitePawnAt(int f, int r) const { return pieceAtOrEmpty(b, f, r) == WHITE_PAWN; }
};

constexpr CandidateScore FINAL_KING_CAPTURE = 9999;
constexpr CandidateScore MATE = 9998;

// Group 1, every level. Returns true when a final term decided the score.
bool group1(Eval& e, CandidateScore& score) {
    if (e.captured == WHITE_KING) return score = FINAL_KING_CAPTURE, true;
    if (e.m.whiteAttacks.at(e.bs.blackKing) >= 1) return score = -MATE, true;
    // A white piece moving onto this square on the other board would take the piece here.
    if (e.otherWork.whiteAttacksBefore.at(e.ff, e.fr) > 0 && e.other.influence.whiteAttacks.at(e.tf, e.tr) == 0) {
        score += e.piece;
    }
    if (e.other.board.at(e.tf, e.tr) == WHITE_KING) return score = FINAL_KING_CAPTURE, true;
    if (e.id == BoardId::LEFT) {
        // Only the left board's evaluation looks at the right board's exchange.
        const InfluenceMap& right = e.g.map(BoardId::RIGHT);
        if (right.blackAttacks.at(e.tf, e.tr) == 0 && right.whiteAttacks.at(e.tf, e.tr) > 0) score -= e.piece;
    }
    if (e.m.blackAttacks.at(e.wk) == 0) {
        if (comState(e.g).blackPieceCount == 1 && ステールメイトか(e.bs, e.wk)) score += 1;
    } else {
        if (詰めかMAN(e.bs)) return score = (e.piece == BLACK_PAWN ? -MATE : MATE), true;
        if (e.piece == BLACK_KNIGHT) {
            score += 1;
            if (調査_移動可場所数(e.bs, e.wk, WHITE_KING) == 0) return score = MATE, true;
        }
        if (e.m.whiteThreat.at(e.tf, e.tr) == WHITE_KING && e.baTo() > 0) score += 100;
        const Square rook = e.m.blackDefenderFrom.at(e.tf, e.tr);
        if (e.waTo() <= 2 && e.m.blackDefender.at(e.tf, e.tr) == BLACK_ROOK && e.tf != e.wk.file &&
            e.tr != e.wk.rank && e.dx < 2 && e.dy < 2 && (rook.file == e.wk.file || rook.rank == e.wk.rank)) {
            score += 900;
        }
        if (e.waTo() == 0) score += 10;
    }
    if (e.piece > comState(e.g).searchPiece) score += 10;
    score += 盤評価_COM危険座標(e.g, e.id, e.piece, {e.tf, e.tr});
    return false;
}

// Taking the cheapest attacker of the moved piece when it is pinned to its king.
void pinnedAttackerTerm(Eval& e, CandidateScore& score) {
    const auto [tf2, tr2] = e.m.whiteThreatFrom.at(e.tf, e.tr);
    if (!onBoard(tf2, tr2)) return;  // nothing attacks the moved piece
    if (e.wa(tf2, tr2) <= 0) return;
    if (e.id != BoardId::LEFT || e.work.pinnedWhite.at(tf2, tr2) != 1) return;
    if (!(e.waTo() == 1 || (e.waTo() == 2 && e.m.blackAttacks.at(e.wk) > 0 && e.baTo() > 0))) return;
    if (!((tf2 == e.wk.file && e.tf != e.wk.file) || (tr2 == e.wk.rank && e.tr != e.wk.rank) ||
          ((e.tf == e.wk.file || e.tr == e.wk.rank) && tf2 != e.wk.file && tr2 != e.wk.rank))) {
        return;
    }
    if (!移動チェック(e.bs, {e.tf, e.tr}, {tf2, tr2}, comState(e.g).searchPiece)) return;
    const Square guard = e.work.blackThreatFromBefore.at(tf2, tr2);
    if (pieceAtOrEmpty(e.b, guard.file, guard.rank) == EMPTY) return;
    score += absCode(e.b.at(tf2, tr2));
}

void group2(Eval& e, CandidateScore& score) {
    const int d = e.work.kingDistance;
    if (e.dx > e.dy) {
        if (d > e.dx) score += 1;
    } else if (d > e.dy) {
        score += 0.1;
    }
    pinnedAttackerTerm(e, score);

    const int waTo = e.waTo();
    const int baTo = e.baTo();
    if (waTo > 0 && baTo > 0) {
        const int threat = e.m.whiteThreat.at(e.tf, e.tr);
        if (e.piece > std::abs(threat)) score += std::abs(threat) - e.piece;
        if (threat == WHITE_KING && e.m.blackAttacks.at(e.wk) > 0 && e.tr < e.wk.rank) score += e.piece;
    } else if (waTo == 0) {
        if (e.piece != BLACK_PAWN && e.piece != BLACK_BISHOP && e.piece != BLACK_KING) {
            score -= 盤評価_白ビショ注意_COM(e.bs, {e.tf, e.tr}, e.piece, bishopCautionMarks());
        }
        if (e.work.whiteAttacksBefore.at(e.ff, e.fr) > 0 && e.work.blackAttacksBefore.at(e.ff, e.fr) == 0) {
            score += 6 * e.piece;
        }
        const PieceCode twin = e.other.board.at(e.tf, e.tr);
        if (isWhite(twin)) score += absCode(twin);
    }

    if (e.captured == EMPTY) {
        if (((BLACK_BISHOP <= e.piece && e.piece < BLACK_KING) || (e.dx < 3 && e.dy < 3)) && e.waTo() == 0) {
            const int escapes = 調査_白キング逃道(e.bs);
            if (e.work.whiteKingEscapes > escapes) score += e.work.whiteKingEscapes - escapes;
        }
    } else {
        const bool wins = e.waTo() == 0 ||
                          (e.waTo() > 0 && e.baTo() > 0 && e.piece < std::abs(e.m.whiteThreat.at(e.tf, e.tr))) ||
                          (e.waTo() > 0 && e.baTo() == 0 && e.work.whiteAttacksBefore.at(e.ff, e.fr) > 0 &&
                           調査_移動可場所数(e.bs, {e.ff, e.fr}, e.piece) == 0);
        if (wins) score += 6 * absCode(e.captured);
    }
}

void pawnRules(Eval& e, CandidateScore& score) {
    Board& b = e.b;
    const int tf = e.tf, tr = e.tr;
    if (e.captured == EMPTY) {
        // Lift the pawn back to ask whether this was an en passant capture.
        b.at(e.ff, e.fr) = BLACK_PAWN;
        b.at(tf, tr) = EMPTY;
        if (アンパサンド_移動前(b, {e.ff, e.fr}, {tf, tr}, BLACK_PAWN)) score += 10;
        b.at(tf, tr) = e.piece;
        b.at(e.ff, e.fr) = EMPTY;
    }
    if (e.baTo() > 0) {
        if (tr < 7) {
            if (tf > 1 && isBlack(b.at(tf - 1, tr + 1))) score += 5;
            if (tf < 8 && isBlack(b.at(tf + 1, tr + 1))) score += 5;
        }
        if (tf > 1 && tf < 8 && (b.at(tf + 1, tr) == BLACK_ROOK || b.at(tf - 1, tr) == BLACK_ROOK)) score -= 1;
    }
    score -= 0.1;
    if (tr < 8) {
        const PieceCode ahead = b.at(tf, tr + 1);
        if (ahead == BLACK_ROOK) score -= 1;
        if (ahead < WHITE_PAWN && 調査_移動可場所数(e.bs, {tf, tr + 1}, ahead) == 0) score += absCode(ahead);
    }
    if (tr < 7) {
        if (e.baTo() >= e.waTo() && e.m.blackDefender.at(tf, tr) == BLACK_ROOK &&
            e.m.blackDefenderFrom.at(tf, tr).file == tf && e.m.blackDefenderFrom.at(tf, tr).rank < tr) {
            score += 2;
        }
        if (tf < 8 && b.at(tf + 1, tr) == BLACK_BISHOP) {
            score += 0.5;
            if (e.whitePawnAt(tf + 1, tr + 2)) score += 5;
        }
        if (tf > 1) {
            if (e.waTo() == 0 && tr == 4) {
                if (tf == 5) {
                    if (e.whitePawnAt(3, 5) || e.whitePawnAt(2, 6)) score += 20;
                    if (b.at(4, 4) == BLACK_PAWN && e.whitePawnAt(6, 6)) score += 20;
                } else if (tf == 4) {
                    score += 5;
                } else if (tf == 3) {
                    if (e.whitePawnAt(5, 5)) score += 20;
                }
            }
            if (b.at(tf - 1, tr) == BLACK_BISHOP) {
                score += 0.5;
                if (e.whitePawnAt(tf - 1, tr + 2)) score += 5;
            }
        }
    }
    if (isWhite(e.captured) && e.ba(e.ff, e.fr) == 1) {
        if (tr > 2 && b.at(tf, tr - 2) == BLACK_BISHOP) {
            score -= 5;
        } else {
            score += 5;
        }
        if (e.captured == WHITE_PAWN && e.m.whiteThreat.at(tf, tr) == WHITE_ROOK && e.ba(e.ff, e.fr) < 2) score += 50;
    }
}

void knightRules(Eval& e, CandidateScore& score) {
    const int tf = e.tf, tr = e.tr;
    score -= 0.1;
    if (tf == 3 && tr == 3 && e.wa(3, 3) == 0 && isWhite(e.b.at(4, 5))) score += 5;
    if (tr < 7 && tf > 1 && tf < 8 && e.wa(tf - 1, tr + 2) > 0 && e.wa(tf + 1, tr + 2) > 0) score -= 1;
}

// The white pawn on (8,5) guarded by a white rook: a bishop on (7,3) bears on it.
bool rookGuardedEdgePawn(const Eval& e) {
    return e.whitePawnAt(8, 5) && e.m.whiteDefender.at(8, 5) == WHITE_ROOK;
}

void bishopRules(Eval& e, CandidateScore& score) {
    const int tf = e.tf, tr = e.tr;
    // The neighbourhood is always read on the left board.
    score += 調査_周辺状況(e.g.board(BoardId::LEFT), {tf, tr});
    if (tr < 8) {
        if (tf == 7 && tr == 3 && rookGuardedEdgePawn(e)) score += 9;
        if (e.wa(tf, tr + 1) > 0) {
            if (調査_移動可場所数(e.bs, {tf, tr}, BLACK_BISHOP) == 0) score -= 100;
            if (tr < 7 && e.whitePawnAt(tf, tr + 2)) score -= 1;
        }
    }
    if (e.ff == 7 && e.fr == 3 && rookGuardedEdgePawn(e) && e.work.blackAttacksBefore.at(8, 4) > e.ba(8, 4)) {
        score -= 10;
    }
}

// Returns true when a final term decided the score.
bool rookRules(Eval& e, CandidateScore& score) {
    const int tf = e.tf, tr = e.tr, fr = e.fr;
    score += 調査_周辺状況(e.g.board(BoardId::LEFT), {tf, tr});
    if (tr < 7 && e.wa(tf, tr + 1) > 0) {
        score -= 1;
        if (tr == fr && e.whitePawnAt(tf, tr + 2)) score -= 5;
    }
    if (fr < 8 && e.whitePawnAt(8, fr + 1) && e.m.whiteDefender.at(8, fr + 1) == WHITE_ROOK) {
        if (e.ba(8, fr) < e.work.blackAttacksBefore.at(8, fr)) score -= 11;
        if (e.b.at(7, fr) == BLACK_PAWN && tr != fr) score -= 11;
    }
    if (e.wa(e.ff, e.fr) == 0 && e.ff == 2 && e.fr == 2 && tf == 2 && tr == 3) score -= 1;
    if (e.waTo() == 0 || (e.m.whiteThreat.at(tf, tr) == WHITE_KING && e.baTo() > 0)) {
        if (調査_移動可場所数(e.bs, {tf, tr}, BLACK_ROOK) <= 1) return score -= 35, true;
        if ((tf == e.wk.file || tr == e.wk.rank) && e.dx < 3 && e.dy < 3) score += 100;
    }
    return false;
}

void kingRules(Eval& e, CandidateScore& score) {
    if (comState(e.g).blackPinned) score += 10;
    if (e.baTo() > e.work.blackAttacksBefore.at(e.tf, e.tr)) score += 1;
    if (調査_移動可場所数(e.bs, {e.tf, e.tr}, BLACK_KING) < 2) score -= 20;
}

}  // namespace

CandidateScore 盤評価(Game& g, BoardId id, PieceCode captured, PieceCode piece, Square from, Square to) {
    BoardState& bs = g.side(id);
    const Square wk = bs.whiteKing;
    Eval e{g,        id,       bs,      g.side(otherBoard(id)), comState(g).of(id), comState(g).of(otherBoard(id)),
           bs.influence, bs.board, captured, piece, from.file, from.rank, to.file, to.rank, wk,
           std::abs(to.file - wk.file), std::abs(to.rank - wk.rank)};
    CandidateScore score = 0;
    if (group1(e, score)) return score;
    if (g.state.comLevel < 2) return score;
    group2(e, score);
    if (g.state.comLevel < 3) return score;
    switch (piece) {
        case BLACK_PAWN: pawnRules(e, score); break;
        case BLACK_KNIGHT: knightRules(e, score); break;
        case BLACK_BISHOP: bishopRules(e, score); break;
        case BLACK_ROOK: rookRules(e, score); break;
        case BLACK_KING: kingRules(e, score); break;
        default: break;  // no positional rules for the queen
    }
    return score;
}

}  // namespace velmora
