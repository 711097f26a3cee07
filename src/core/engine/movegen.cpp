#include "engine/movegen.h"

#include <bit>
#include <cstdint>
#include <cstdlib>

namespace velmora::engine {
namespace {

constexpr int PROMOTIONS[5] = {5, 4, 3, 2, 1};

// Is there a king, queen, rook or bishop line between the two squares? A
// table over the 0x88 difference of the squares.
struct AlignmentTable {
    bool aligned[240]{};
    constexpr AlignmentTable() {
        for (const int d : KING_DELTAS) {
            for (int k = 1; k < 8; ++k) aligned[d * k + 119] = true;
        }
    }
};
constexpr AlignmentTable ALIGNMENT;

// Collects moves of one board after the self-check test.
struct Sink {
    Position& p;
    MoveList& list;
    int board;
    Colour colour;
    bool capturesOnly;
    bool testKing;
    // With a single king that is not attacked now, a piece off every line
    // through the king cannot uncover it: the test's answer is known.
    int king = -1;
    bool kingSafeNow = false;

    void prepare() {
        if (!testKing || p.kingCount(board, colour) != 1) return;
        king = p.kingSquare(board, colour);
        kingSafeNow = !attacked(p, board, king, -colour);
    }

    // The person's self-check test: make the plain move, look at the mover's
    // king square, put the two squares back.
    bool keepsKingSafe(int from, int to) {
        if (!testKing) return true;
        if (kingSafeNow && from != king && !ALIGNMENT.aligned[from - king + 119]) return true;
        // No king of the mover on this board: nothing to expose.
        if (p.kingCount(board, colour) == 0) return true;
        const int fromCode = p.at(board, from);
        const int toCode = p.at(board, to);
        p.plain(board, from, to);
        int king;
        if (p.kingCount(board, colour) == 1) {
            king = fromCode == pieceCode(colour, KING) ? to : p.kingSquare(board, colour);
        } else {
            king = p.scanKing(board, colour);
        }
        const bool safe = !attacked(p, board, king, -colour);
        p.undoPlain(board, from, to, fromCode, toCode);
        return safe;
    }

    bool takes(int to) const {
        const int there = p.at(board, to);
        const int twin = p.at(1 - board, to);
        return isColour(there, -colour) || isColour(twin, -colour);
    }

    void add(int from, int to) {
        if (capturesOnly && !takes(to)) return;
        if (keepsKingSafe(from, to)) list.push(EngineMove(board, from, to, p.at(board, from), false));
    }

    void addPromotions(int from, int to) {
        if (!keepsKingSafe(from, to)) return;
        for (int piece : PROMOTIONS) list.push(EngineMove(board, from, to, pieceCode(colour, piece), false));
    }

    void addEnPassant(int from, int to) {
        if (!keepsKingSafe(from, to)) return;
        const int pawn = pieceCode(colour, PAWN);
        list.push(EngineMove(board, from, to, pawn, true));
        if (!capturesOnly || takes(to)) list.push(EngineMove(board, from, to, pawn, false));
    }
};

void pawnMoves(Sink& s, int from) {
    const Position& p = s.p;
    const int b = s.board;
    const Colour colour = s.colour;
    const int forward = colour == BLACK ? 16 : -16;
    const int lastRank = colour == BLACK ? 8 : 1;
    const int startRank = colour == BLACK ? 2 : 7;
    const int passRank = colour == BLACK ? 5 : 4;
    const int rank = rankOf(from);
    const int ahead = from + forward;
    if (!offBoard(ahead) && p.at(b, ahead) == 0) {
        if (rankOf(ahead) == lastRank) {
            s.addPromotions(from, ahead);
        } else {
            s.add(from, ahead);
        }
        const int two = ahead + forward;
        if (rank == startRank && p.at(b, two) == 0) s.add(from, two);
    }
    for (int side : {-1, 1}) {
        const int to = ahead + side;
        if (offBoard(to)) continue;
        const int there = p.at(b, to);
        if (isColour(there, -colour)) {
            if (rankOf(to) == lastRank) {
                s.addPromotions(from, to);
            } else {
                s.add(from, to);
            }
        } else if (there == 0 && rank == passRank && p.at(b, from + side) == pieceCode(-colour, PAWN)) {
            // En passant at any time: an enemy pawn beside, the square behind it empty.
            s.addEnPassant(from, to);
        }
    }
}

void slide(Sink& s, int from, const int* dirs) {
    for (int d = 0; d < 4; ++d) {
        for (int to = from + dirs[d]; !offBoard(to); to += dirs[d]) {
            const int there = s.p.at(s.board, to);
            if (isColour(there, s.colour)) break;
            s.add(from, to);
            if (there != 0) break;
        }
    }
}

void steps(Sink& s, int from, const int* deltas) {
    for (int i = 0; i < 8; ++i) {
        const int to = from + deltas[i];
        if (!offBoard(to) && !isColour(s.p.at(s.board, to), s.colour)) s.add(from, to);
    }
}

// Castling from the position alone: the king on its home square (file 5, or
// file 4 in the exchanged layout), the quick test on files 2 and 6 (or 5),
// king square and destination not attacked, the rook in the corner and the
// squares between empty. Squares passed over may be attacked.
void castling(Sink& s, int from) {
    const Position& p = s.p;
    const int b = s.board;
    const Colour colour = s.colour;
    const int rank = colour == WHITE ? 8 : 1;
    const int file = fileOf(from);
    if (rankOf(from) != rank || (file != 5 && file != 4)) return;
    const int quick = file == 5 ? 6 : 5;
    if (p.at(b, squareOf(2, rank)) != 0 && p.at(b, squareOf(quick, rank)) != 0) return;
    if (attacked(p, b, from, -colour)) return;
    struct Row {
        int rookFile, emptyFrom, emptyTo, destination;
    };
    static constexpr Row NORMAL[2] = {{8, 6, 7, 7}, {1, 2, 4, 3}};
    static constexpr Row EXCHANGED[2] = {{8, 5, 7, 6}, {1, 2, 3, 2}};
    for (const Row& row : file == 5 ? NORMAL : EXCHANGED) {
        if (p.at(b, squareOf(row.rookFile, rank)) != pieceCode(colour, ROOK)) continue;
        bool clear = true;
        for (int f = row.emptyFrom; f <= row.emptyTo; ++f) clear = clear && p.at(b, squareOf(f, rank)) == 0;
        const int to = squareOf(row.destination, rank);
        if (clear && !attacked(p, b, to, -colour)) s.add(from, to);
    }
}

void pieceMoves(Sink& s, int from) {
    switch (s.p.at(s.board, from) * sign(s.colour)) {
        case 1: pawnMoves(s, from); break;
        case 2: steps(s, from, KNIGHT_DELTAS.data()); break;
        case 3: slide(s, from, DIAGONAL_DELTAS.data()); break;
        case 4: slide(s, from, STRAIGHT_DELTAS.data()); break;
        case 5:
            slide(s, from, STRAIGHT_DELTAS.data());
            slide(s, from, DIAGONAL_DELTAS.data());
            break;
        case 6:
            steps(s, from, KING_DELTAS.data());
            castling(s, from);
            break;
        default: break;
    }
}

void boardMoves(Position& p, MoveList& list, int board, bool capturesOnly, KingTest test) {
    const Colour colour = p.sideToMove();
    Sink s{p, list, board, colour, capturesOnly, test == KingTest::Tested};
    s.prepare();
    // Occupied squares only, in square order: a rank is read as one word
    // (the self-check test's tentative moves put every square back).
    for (int rank = 0; rank < 8; ++rank) {
        for (std::uint64_t w = p.rankWord(board, rank); w != 0;) {
            const int file = std::countr_zero(w) / 8;
            w &= ~(std::uint64_t{0xFF} << (file * 8));
            pieceMoves(s, rank * 16 + file);
        }
    }
}

}  // namespace

bool attacked(const Position& p, int board, int sq, Colour colour) {
    const int enemyKing = pieceCode(-colour, KING);
    // Pawns: a white pawn covers the squares diagonally towards rank 1.
    const int pawnFrom = colour == WHITE ? sq + 16 : sq - 16;
    for (int side : {-1, 1}) {
        const int a = pawnFrom + side;
        if (!offBoard(a) && p.at(board, a) == pieceCode(colour, PAWN)) return true;
    }
    for (int d : KNIGHT_DELTAS) {
        const int a = sq + d;
        if (!offBoard(a) && p.at(board, a) == pieceCode(colour, KNIGHT)) return true;
    }
    for (int d : KING_DELTAS) {
        const int a = sq + d;
        if (!offBoard(a) && p.at(board, a) == pieceCode(colour, KING)) return true;
    }
    for (int i = 0; i < 4; ++i) {
        for (int a = sq + DIAGONAL_DELTAS[i]; !offBoard(a); a += DIAGONAL_DELTAS[i]) {
            const int c = p.at(board, a);
            if (c == 0 || c == enemyKing) continue;
            if (c == pieceCode(colour, BISHOP) || c == pieceCode(colour, QUEEN)) return true;
            break;
        }
        for (int a = sq + STRAIGHT_DELTAS[i]; !offBoard(a); a += STRAIGHT_DELTAS[i]) {
            const int c = p.at(board, a);
            if (c == 0 || c == enemyKing) continue;
            if (c == pieceCode(colour, ROOK) || c == pieceCode(colour, QUEEN)) return true;
            break;
        }
    }
    return false;
}

void generateMoves(Position& p, MoveList& list, KingTest test) {
    list.size = 0;
    boardMoves(p, list, 0, false, test);
    boardMoves(p, list, 1, false, test);
}

void generateCaptures(Position& p, MoveList& list, KingTest test) {
    list.size = 0;
    boardMoves(p, list, 0, true, test);
    boardMoves(p, list, 1, true, test);
}

}  // namespace velmora::engine
