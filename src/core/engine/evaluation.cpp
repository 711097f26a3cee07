#include "engine/evaluation.h"

#include <bit>
#include <cstdint>

#include "engine/movegen.h"

namespace velmora::engine {
namespace {

// Squares a line piece can reach: empty ones and the first enemy piece.
int rays(const Position& p, int b, int from, const int* dirs, Colour colour) {
    int n = 0;
    for (int d = 0; d < 4; ++d) {
        for (int to = from + dirs[d]; !offBoard(to); to += dirs[d]) {
            const int there = p.at(b, to);
            if (isColour(there, colour)) break;
            ++n;
            if (there != 0) break;
        }
    }
    return n;
}

// Pawn shield in front of the king, enemy pieces close to it, and a king of
// the side to move standing in check counts heavily. (The other side's king
// in check can simply be taken: the search sees that itself.)
int kingSafety(const Position& p, int b, Colour colour) {
    if (p.kingCount(b, colour) == 0) return 0;
    const int king = p.kingSquare(b, colour);
    const int forward = colour == BLACK ? 16 : -16;
    int score = 0;
    for (int side : {-1, 0, 1}) {
        const int s = king + forward + side;
        if (!offBoard(s) && p.at(b, s) == pieceCode(colour, PAWN)) score += 12;
    }
    // Enemy pieces within two squares of the king, the heavier the worse.
    for (int dr = -2; dr <= 2; ++dr) {
        for (int df = -2; df <= 2; ++df) {
            const int s = king + dr * 16 + df;
            if (offBoard(s)) continue;
            const int enemy = p.at(b, s) * sign(-colour);
            if (enemy >= 2 && enemy <= 5) score -= 3 * enemy;
        }
    }
    if (colour == p.sideToMove() && attacked(p, b, king, -colour)) score -= 40;
    return score;
}

// Material, pawn advance and mobility of the piece `code` on `sq`.
void addPieceTerms(const Position& p, int b, int sq, int code, EvaluationTerms terms[2]) {
    const Colour colour = colourOf(code);
    const int piece = code * sign(colour);
    EvaluationTerms& t = terms[colourIndex(colour)];
    t.material += PIECE_VALUE[piece];
    switch (piece) {
        case 1: {
            // Pawns gain as they near the rank where they promote.
            const int advanced = colour == BLACK ? rankOf(sq) - 2 : 7 - rankOf(sq);
            t.material += advanced * advanced * 3;
            break;
        }
        case 2: {
            int n = 0;
            for (int d : KNIGHT_DELTAS) {
                const int to = sq + d;
                if (!offBoard(to) && !isColour(p.at(b, to), colour)) ++n;
            }
            t.mobility += 4 * n;
            break;
        }
        case 3: t.mobility += 4 * rays(p, b, sq, DIAGONAL_DELTAS.data(), colour); break;
        case 4: t.mobility += 2 * rays(p, b, sq, STRAIGHT_DELTAS.data(), colour); break;
        case 5: t.mobility += rays(p, b, sq, STRAIGHT_DELTAS.data(), colour) + rays(p, b, sq, DIAGONAL_DELTAS.data(), colour); break;
        default: break;
    }
}

// One pass over both boards fills the terms of both colours. Most squares are
// empty, so each rank is read as one word and only its occupied squares are
// visited.
void allTerms(const Position& p, EvaluationTerms terms[2]) {
    for (int b = 0; b < 2; ++b) {
        for (int rank = 0; rank < 8; ++rank) {
            for (std::uint64_t w = p.rankWord(b, rank); w != 0;) {
                const int file = std::countr_zero(w) / 8;
                w &= ~(std::uint64_t{0xFF} << (file * 8));
                const int sq = rank * 16 + file;
                addPieceTerms(p, b, sq, p.at(b, sq), terms);
            }
        }
        for (Colour colour : {WHITE, BLACK}) terms[colourIndex(colour)].kingSafety += kingSafety(p, b, colour);
    }
}

}  // namespace

EvaluationTerms evaluationTerms(const Position& p, Colour colour) {
    EvaluationTerms terms[2];
    allTerms(p, terms);
    return terms[colourIndex(colour)];
}

int evaluate(const Position& p) {
    EvaluationTerms terms[2];
    allTerms(p, terms);
    const EvaluationTerms& mine = terms[colourIndex(p.sideToMove())];
    const EvaluationTerms& theirs = terms[colourIndex(-p.sideToMove())];
    return (mine.material - theirs.material) + (mine.kingSafety - theirs.kingSafety) +
           (mine.mobility - theirs.mobility);
}

}  // namespace velmora::engine
