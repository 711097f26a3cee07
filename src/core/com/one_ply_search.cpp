#include "com/one_ply_search.h"

#include <algorithm>
#include <cstdlib>

#include "com/board_evaluation.h"
#include "com/com_state.h"
#include "com/probes.h"
#include "influence/survey.h"
#include "rules/end_tests.h"
#include "rules/execution.h"
#include "rules/legality.h"
#include "rules/setup.h"

namespace velmora {

void prepareBoard(Game& g, BoardId id) {
    BoardState& bs = g.side(id);
    ComBoardWork& work = comState(g).of(id);
    work.boardBefore = bs.board;
    bs.whiteKingEscapeMap.fill(0);
    work.whiteKingEscapes = 調査_白キング逃道(bs);
    comState(g).blackPieceCount = 調査_駒数(bs.board, g.state.whiteSide, g.state);
    勢力調査(bs);
    調査_移動不可駒(g);  // the pin probe reads the left board, whichever is searched
}

Candidate tryCandidate(Game& g, BoardId id, Square from, Square to) {
    const auto [ff, fr] = from;
    const auto [tf, tr] = to;
    BoardState& bs = g.side(id);
    Board& b = bs.board;
    const PieceCode moving = b.at(ff, fr);
    comState(g).searchPiece = moving;
    comState(g).of(id).kingDistance = std::max(std::abs(ff - bs.whiteKing.file), std::abs(fr - bs.whiteKing.rank));
    const PieceCode captured = b.at(tf, tr);
    b.at(ff, fr) = EMPTY;
    b.at(tf, tr) = moving;
    // A black pawn reaching rank 8 is always scored as a queen.
    if (調査_駒成(g.state, from, to, moving)) b.at(tf, tr) = g.state.comPromotionPiece;
    const PieceCode placed = b.at(tf, tr);
    勢力調査(bs);
    const double score = 盤評価(g, id, captured, placed, from, to);
    b.at(tf, tr) = captured;
    b.at(ff, fr) = moving;
    return {score, placed, captured};
}

void searchBoard(Game& g, BoardId id) {
    prepareBoard(g, id);
    g.presentation().repaint();
    g.pauses().wait(0.3);
    searchMoves(g, id);
}

void searchMoves(Game& g, BoardId id) {
    Board& b = g.board(id);
    BoardState& bs = g.side(id);
    BestMove& best = comState(g).of(id).best;
    best = BestMove{};
    for (int ff = 1; ff <= 8; ++ff) {
        for (int fr = 1; fr <= 8; ++fr) {
            if (b.at(ff, fr) < BLACK_PAWN) continue;
            for (int tf = 1; tf <= 8; ++tf) {
                for (int tr = 1; tr <= 8; ++tr) {
                    if (!移動チェック(bs, {ff, fr}, {tf, tr}, b.at(ff, fr))) continue;
                    const PieceCode moving = b.at(ff, fr);
                    const Candidate c = tryCandidate(g, id, {ff, fr}, {tf, tr});
                    // Strictly better only: the first move found wins a tie.
                    if (c.score > best.score) {
                        best = BestMove{c.score, {ff, fr}, {tf, tr}, c.placed, moving};
                        if (c.captured == WHITE_KING) {
                            g.state.gameWinner = g.state.blackSide;
                            return;
                        }
                    }
                }
            }
        }
    }
}

void prepareTurn(Game& g) {
    勢力調査(g, BoardId::LEFT);
    勢力調査(g, BoardId::RIGHT);
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        const InfluenceMap& m = g.map(id);
        ComBoardWork& work = comState(g).of(id);
        work.whiteAttacksBefore = m.whiteAttacks;
        work.blackAttacksBefore = m.blackAttacks;
        work.blackThreatFromBefore = m.blackThreatFrom;
    }
}

std::optional<BoardId> comSearch(Game& g) {
    prepareTurn(g);
    searchBoard(g, BoardId::LEFT);
    // The right board's terms and the left-board probes must see the left
    // board's real position, not the last candidate tried there.
    勢力調査(g, BoardId::LEFT);
    searchBoard(g, BoardId::RIGHT);

    const BestMove& left = comState(g).of(BoardId::LEFT).best;
    const BestMove& right = comState(g).of(BoardId::RIGHT).best;
    if (!left.found() && !right.found()) return std::nullopt;
    return left.score >= right.score ? BoardId::LEFT : BoardId::RIGHT;
}

}  // namespace velmora
