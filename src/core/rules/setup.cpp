#include "rules/setup.h"

namespace velmora {

void setStartPosition(Board& b) {
    static constexpr PieceCode BACK_RANK[8] = {BLACK_ROOK, BLACK_KNIGHT, BLACK_BISHOP, BLACK_QUEEN,
                                               BLACK_KING, BLACK_BISHOP, BLACK_KNIGHT, BLACK_ROOK};
    b.fill(EMPTY);
    for (int f = 1; f <= 8; ++f) {
        b.at(f, 1) = BACK_RANK[f - 1];
        b.at(f, 2) = BLACK_PAWN;
        b.at(f, 7) = WHITE_PAWN;
        b.at(f, 8) = pieceCode(Colour::White, BACK_RANK[f - 1]);
    }
}

void キング_クイン入替(RulesState& s) {
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        Board& b = s.board(id);
        Square bk, wk, bq, wq;
        for (int f = 1; f <= 8; ++f) {
            for (int r = 1; r <= 8; ++r) {
                switch (b.at(f, r)) {
                    case BLACK_KING: bk = {f, r}; break;
                    case WHITE_KING: wk = {f, r}; break;
                    case BLACK_QUEEN: bq = {f, r}; break;
                    case WHITE_QUEEN: wq = {f, r}; break;
                    default: break;
                }
            }
        }
        // A side whose king has been taken keeps its queen where it is:
        // exchanging would put a second king on the board.
        if (bq.file != 0 && bk.file != 0) {
            b.at(bq) = BLACK_KING;
            b.at(bk) = BLACK_QUEEN;
        }
        if (wq.file != 0 && wk.file != 0) {
            b.at(wq) = WHITE_KING;
            b.at(wk) = WHITE_QUEEN;
        }
    }
}

void 調査_キング座標(RulesState& s, BoardId id) {
    BoardState& bs = s.side(id);
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            if (bs.board.at(f, r) == WHITE_KING) bs.whiteKing = {f, r};
            if (bs.board.at(f, r) == BLACK_KING) bs.blackKing = {f, r};
        }
    }
}

int 調査_駒数(const Board& b, Side turnValue, const GameState& st) {
    // The pieces of the colour that does not play as turnValue.
    const std::optional<Colour> mover = colourOf(st, turnValue);
    if (!mover) return 0;
    int count = 0;
    for (PieceCode c : b.cells) count += isColour(c, -*mover) ? 1 : 0;
    return count;
}

}  // namespace velmora
