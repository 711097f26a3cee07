#include "rules/execution.h"

#include <cstdlib>

namespace velmora {
namespace {

// Moves the castling rook on `rank` by the king's destination file.
void castleRook(Game& g, BoardId id, int kingToFile, int rank, PieceCode rook) {
    int from = 0;
    int to = 0;
    switch (kingToFile) {
        case 2: from = 1; to = 3; break;
        case 3: from = 1; to = 4; break;
        case 6: from = 8; to = 5; break;
        case 7: from = 8; to = 6; break;
        default: return;
    }
    Board& b = g.board(id);
    b.at(to, rank) = rook;
    g.presentation().描画_桝駒(id, to, rank);
    b.at(from, rank) = EMPTY;
    g.presentation().描画_桝駒(id, from, rank);
}

}  // namespace

void 駒移動(Game& g, BoardId id, int ff, int fr, int tf, int tr, PieceCode piece) {
    BoardState& bs = g.side(id);
    Presentation& view = g.presentation();
    bs.board.at(ff, fr) = EMPTY;
    view.描画_桝駒(id, ff, fr);
    bs.board.at(tf, tr) = piece;
    view.描画_桝駒(id, tf, tr);
    if (piece == WHITE_KING) {
        bs.whiteKing = {tf, tr};
        if (std::abs(tf - ff) == 2) castleRook(g, id, tf, 8, WHITE_ROOK);
    }
    if (piece == BLACK_KING && std::abs(tf - ff) == 2) castleRook(g, id, tf, 1, BLACK_ROOK);

    // The two-board capture: an enemy piece on the same square of the other
    // board goes too; the mover's own piece stays.
    const BoardId otherId = otherBoard(id);
    PieceCode& twin = g.board(otherId).at(tf, tr);
    if ((isBlack(piece) && twin <= EMPTY) || (isWhite(piece) && twin >= EMPTY)) {
        view.描画_駒点滅(otherId, tf, tr, 2);
        twin = EMPTY;
        view.描画_桝駒(otherId, tf, tr);
    }
}

int アンパサンド_移動前(const Board& b, int ff, int fr, int tf, int tr, PieceCode piece) {
    if (!onBoard(tf, tr) || std::abs(tf - ff) != 1 || b.at(tf, tr) != EMPTY) return OFF;
    if (piece == BLACK_PAWN && tr == fr + 1 && fr == 5 && b.at(tf, 5) == WHITE_PAWN) return ON;
    if (piece == WHITE_PAWN && tr == fr - 1 && fr == 4 && b.at(tf, 4) == BLACK_PAWN) return ON;
    return OFF;
}

int 移動後チェック_成り(int toRank, PieceCode piece) {
    if (piece == BLACK_PAWN && toRank == 8) return OFF;
    if (piece == WHITE_PAWN && toRank == 1) return OFF;
    return ON;
}

int 調査_駒成人選(int, int, int, int tr, PieceCode piece) {
    return ((piece == WHITE_PAWN && tr < 2) || (piece == BLACK_PAWN && tr > 7)) ? ON : OFF;
}

int 調査_駒成(GameState& st, int, int, int, int tr, PieceCode piece) {
    if (piece == WHITE_PAWN && tr < 2) {
        st.comPromotionPiece = WHITE_QUEEN;
        return ON;
    }
    if (piece == BLACK_PAWN && tr > 7) {
        st.comPromotionPiece = BLACK_QUEEN;
        return ON;
    }
    return OFF;
}

}  // namespace velmora
