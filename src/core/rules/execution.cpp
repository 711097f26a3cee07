#include "rules/execution.h"

#include <cstdlib>

#include "rules/legality.h"

namespace velmora {
namespace {

// Moves the castling rook on `rank` by the king's destination file.
void castleRook(Board& b, BoardId id, int kingToFile, int rank, PieceCode rook, MoveWatcher& watcher) {
    for (const CastlingRow& row : CASTLING) {
        if (row.kingTo != kingToFile) continue;
        b.at(row.rookTo, rank) = rook;
        watcher.squareChanged(id, row.rookTo, rank);
        b.at(row.rookFrom, rank) = EMPTY;
        watcher.squareChanged(id, row.rookFrom, rank);
        return;
    }
}

}  // namespace

void 駒移動(RulesState& s, BoardId id, int ff, int fr, int tf, int tr, PieceCode piece, MoveWatcher& watcher) {
    BoardState& bs = s.side(id);
    bs.board.at(ff, fr) = EMPTY;
    watcher.squareChanged(id, ff, fr);
    bs.board.at(tf, tr) = piece;
    watcher.squareChanged(id, tf, tr);
    if (piece == WHITE_KING) {
        bs.whiteKing = {tf, tr};
        if (std::abs(tf - ff) == 2) castleRook(bs.board, id, tf, 8, WHITE_ROOK, watcher);
    }
    if (piece == BLACK_KING && std::abs(tf - ff) == 2) castleRook(bs.board, id, tf, 1, BLACK_ROOK, watcher);

    // The two-board capture: an enemy piece on the same square of the other
    // board goes too; the mover's own piece stays.
    const BoardId otherId = otherBoard(id);
    PieceCode& twin = s.board(otherId).at(tf, tr);
    if ((isBlack(piece) && twin <= EMPTY) || (isWhite(piece) && twin >= EMPTY)) {
        watcher.aboutToTake(otherId, tf, tr);
        twin = EMPTY;
        watcher.squareChanged(otherId, tf, tr);
    }
}

bool アンパサンド_移動前(const Board& b, int ff, int fr, int tf, int tr, PieceCode piece) {
    if (!onBoard(tf, tr) || std::abs(tf - ff) != 1 || b.at(tf, tr) != EMPTY) return false;
    if (piece == BLACK_PAWN && tr == fr + 1 && fr == 5 && b.at(tf, 5) == WHITE_PAWN) return true;
    if (piece == WHITE_PAWN && tr == fr - 1 && fr == 4 && b.at(tf, 4) == BLACK_PAWN) return true;
    return false;
}

bool 移動後チェック_成り(int toRank, PieceCode piece) {
    if (piece == BLACK_PAWN && toRank == 8) return false;
    if (piece == WHITE_PAWN && toRank == 1) return false;
    return true;
}

bool 調査_駒成人選(int, int, int, int tr, PieceCode piece) {
    return (piece == WHITE_PAWN && tr < 2) || (piece == BLACK_PAWN && tr > 7);
}

bool 調査_駒成(GameState& st, int, int, int, int tr, PieceCode piece) {
    if (piece == WHITE_PAWN && tr < 2) {
        st.comPromotionPiece = WHITE_QUEEN;
        return true;
    }
    if (piece == BLACK_PAWN && tr > 7) {
        st.comPromotionPiece = BLACK_QUEEN;
        return true;
    }
    return false;
}

}  // namespace velmora
