#include "engine/game_end.h"

#include "engine/movegen.h"

namespace velmora::engine {
namespace {

int pieceCount(const Position& p, int board, Colour colour) {
    int n = 0;
    for (int sq = 0; sq < 128; ++sq) {
        if (!offBoard(sq) && isColour(p.at(board, sq), colour)) ++n;
    }
    return n;
}

}  // namespace

bool drawnAfterMove(const Position& p, int board, Colour mover, GameKind kind) {
    const Colour enemy = -mover;
    if (kind == GameKind::AGAINST_COM && mover != WHITE) return false;
    if (p.kingCount(board, enemy) == 0) return false;  // the square holds no king
    const int king = p.kingSquare(board, enemy);
    // The neighbours first: one free square answers at once.
    for (const int d : KING_DELTAS) {
        const int s = king + d;
        if (!offBoard(s) && !attacked(p, board, s, mover)) return false;
    }
    if (attacked(p, board, king, mover)) return false;
    return kind == GameKind::AGAINST_COM || pieceCount(p, board, enemy) == 1;
}

}  // namespace velmora::engine
