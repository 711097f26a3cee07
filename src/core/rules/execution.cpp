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
        watcher.squareChanged(id, {row.rookTo, rank});
        b.at(row.rookFrom, rank) = EMPTY;
        watcher.squareChanged(id, {row.rookFrom, rank});
        return;
    }
}

}  // namespace

void 駒移動(RulesState& s, BoardId id, Square from, Square to, PieceCode piece, MoveWatcher& watcher) {
    BoardState& bs = s.side(id);
    bs.board.at(from) = EMPTY;
    watcher.squareChanged(id, from);
    bs.board.at(to) = piece;
    watcher.squareChanged(id, to);
    const bool castling = std::abs(to.file - from.file) == 2;
    if (piece == WHITE_KING) {
        bs.whiteKing = to;
        if (castling) castleRook(bs.board, id, to.file, 8, WHITE_ROOK, watcher);
    }
    if (piece == BLACK_KING && castling) castleRook(bs.board, id, to.file, 1, BLACK_ROOK, watcher);

    // The two-board capture: an enemy piece on the same square of the other
    // board goes too; the mover's own piece stays.
    const BoardId otherId = otherBoard(id);
    PieceCode& twin = s.board(otherId).at(to);
    if (piece != EMPTY && !sameColour(piece, twin)) {
        watcher.aboutToTake(otherId, to);
        twin = EMPTY;
        watcher.squareChanged(otherId, to);
    }
}

bool アンパサンド_移動前(const Board& b, Square from, Square to, PieceCode piece) {
    const auto [ff, fr] = from;
    const auto [tf, tr] = to;
    if (!onBoard(to) || std::abs(tf - ff) != 1 || b.at(to) != EMPTY) return false;
    if (piece == BLACK_PAWN && tr == fr + 1 && fr == 5 && b.at(tf, 5) == WHITE_PAWN) return true;
    if (piece == WHITE_PAWN && tr == fr - 1 && fr == 4 && b.at(tf, 4) == BLACK_PAWN) return true;
    return false;
}

bool 移動後チェック_成り(int toRank, PieceCode piece) {
    if (piece == BLACK_PAWN && toRank == 8) return false;
    if (piece == WHITE_PAWN && toRank == 1) return false;
    return true;
}

bool 調査_駒成人選(Square, Square to, PieceCode piece) {
    return (piece == WHITE_PAWN && to.rank < 2) || (piece == BLACK_PAWN && to.rank > 7);
}

bool 調査_駒成(GameState& st, Square, Square to, PieceCode piece) {
    if (piece == WHITE_PAWN && to.rank < 2) {
        st.comPromotionPiece = WHITE_QUEEN;
        return true;
    }
    if (piece == BLACK_PAWN && to.rank > 7) {
        st.comPromotionPiece = BLACK_QUEEN;
        return true;
    }
    return false;
}

}  // namespace velmora
