#include "rules/move_list.h"

#include "rules/legality.h"

namespace velmora {

namespace {

std::vector<Move> listMoves(RulesState& s, BoardId id, Side turnValue, bool testKing) {
    std::vector<Move> moves;
    // A turn no colour plays as lists black's moves.
    const Colour mover = colourOf(s.state, turnValue).value_or(Colour::Black);
    BoardState& bs = s.side(id);
    for (int ff = 1; ff <= 8; ++ff) {
        for (int fr = 1; fr <= 8; ++fr) {
            const PieceCode piece = bs.board.at(ff, fr);
            if (!isColour(piece, mover)) continue;
            for (int tf = 1; tf <= 8; ++tf) {
                for (int tr = 1; tr <= 8; ++tr) {
                    if (!移動チェック(bs, {ff, fr}, {tf, tr}, piece)) continue;
                    if (testKing && !移動後チェック_キング(bs, {ff, fr}, {tf, tr}, turnValue, s.state)) continue;
                    moves.push_back({{ff, fr}, {tf, tr}});
                }
            }
        }
    }
    return moves;
}

}  // namespace

std::vector<Move> acceptedMoves(RulesState& s, BoardId id, Side turnValue) { return listMoves(s, id, turnValue, true); }

std::vector<Move> movesByMoveTest(RulesState& s, BoardId id, Side turnValue) { return listMoves(s, id, turnValue, false); }

void putPosition(RulesState& s, const Board& left, const Board& right) {
    s.board(BoardId::LEFT) = left;
    s.board(BoardId::RIGHT) = right;
    s.state.whiteSide = Side::First;
    s.state.blackSide = Side::Second;
}

}  // namespace velmora
