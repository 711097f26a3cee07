#include "engine/position.h"

#include <cstdlib>

#include "board/board_state.h"
#include "engine/piece_values.h"
#include "engine/zobrist.h"

namespace velmora::engine {

Position::Position() {
    // Before any survey the game assumes the kings on their home squares.
    for (int b = 0; b < 2; ++b) {
        kingSquare_[b][colourIndex(WHITE)] = static_cast<std::uint8_t>(squareOf(5, 8));
        kingSquare_[b][colourIndex(BLACK)] = static_cast<std::uint8_t>(squareOf(5, 1));
    }
}

int Position::scanKing(int board, Colour colour) const {
    // The survey walks file by file, rank by rank, and keeps the last king.
    const int king = pieceCode(colour, KING);
    for (int f = 8; f >= 1; --f) {
        for (int r = 8; r >= 1; --r) {
            if (squares_[board][squareOf(f, r)] == king) return squareOf(f, r);
        }
    }
    return -1;
}

int Position::kingSquare(int board, Colour colour) const {
    const int ci = colourIndex(colour);
    if (kingCount_[board][ci] > 1) return scanKing(board, colour);
    return kingSquare_[board][ci];
}

void Position::set(int board, int sq, int code) {
    const int old = squares_[board][sq];
    if (old != 0) hash_ ^= pieceKey(board, old, sq);
    if (old != 0) material_[colourIndex(colourOf(old))] -= valueOf(old);
    if (code != 0) material_[colourIndex(colourOf(code))] += valueOf(code);
    squares_[board][sq] = static_cast<std::int8_t>(code);
    if (code != 0) hash_ ^= pieceKey(board, code, sq);
    for (Colour colour : {WHITE, BLACK}) {
        if (old == pieceCode(colour, KING) || code == pieceCode(colour, KING)) recountKings(board, colour, sq);
    }
}

void Position::recountKings(int board, Colour colour, int lostAt) {
    const int ci = colourIndex(colour);
    int count = 0;
    for (int sq = 0; sq < 128; ++sq) {
        if (!offBoard(sq) && squares_[board][sq] == pieceCode(colour, KING)) ++count;
    }
    kingCount_[board][ci] = static_cast<std::int8_t>(count);
    kingSquare_[board][ci] = static_cast<std::uint8_t>(count > 0 ? scanKing(board, colour) : lostAt);
}

void Position::setSideToMove(Colour colour) {
    if (colour != sideToMove_) hash_ ^= ZOBRIST.blackToMove;
    sideToMove_ = colour;
}

void Position::setMissingKingSquare(int board, Colour colour, int sq) {
    if (kingCount_[board][colourIndex(colour)] == 0) kingSquare_[board][colourIndex(colour)] = static_cast<std::uint8_t>(sq);
}

void Position::remove(int board, int sq) {
    const int code = squares_[board][sq];
    hash_ ^= pieceKey(board, code, sq);
    const Colour colour = colourOf(code);
    material_[colourIndex(colour)] -= valueOf(code);
    squares_[board][sq] = 0;
    if (absCode(code) == KING) {
        const int ci = colourIndex(colour);
        if (--kingCount_[board][ci] == 0) {
            kingSquare_[board][ci] = static_cast<std::uint8_t>(sq);  // the rules keep looking here
        } else {
            kingSquare_[board][ci] = static_cast<std::uint8_t>(scanKing(board, colour));
        }
    }
}

void Position::make(EngineMove m, Undo& undo) {
    const int b = m.board();
    const int o = 1 - b;
    const int from = m.from();
    const int to = m.to();
    const int mover = squares_[b][from];
    const int placed = m.placed();
    undo.captured = squares_[b][to];
    undo.twinCaptured = squares_[o][to];
    undo.kingCount = kingCount_;
    undo.kingSquare = kingSquare_;
    undo.hash = hash_;
    undo.material = material_;
    undo.mover = static_cast<std::int8_t>(mover);
    undo.rookFrom = undo.rookTo = 0;

    if (undo.captured != 0) remove(b, to);
    hash_ ^= pieceKey(b, mover, from);
    squares_[b][from] = 0;
    // The passed pawn stands beside the capturing pawn, on its rank.
    if (m.enPassant()) remove(b, squareOf(fileOf(to), rankOf(from)));
    squares_[b][to] = static_cast<std::int8_t>(placed);
    hash_ ^= pieceKey(b, placed, to);
    const Colour colour = colourOf(placed);
    material_[colourIndex(colour)] += valueOf(placed) - valueOf(mover);

    if (absCode(placed) == KING) {
        const int ci = colourIndex(colour);
        if (kingCount_[b][ci] == 1) kingSquare_[b][ci] = static_cast<std::uint8_t>(to);
        // A king moving two files castles; the rook is chosen by the king's
        // destination, on the colour's home rank.
        if (std::abs(fileOf(to) - fileOf(from)) == 2) {
            const int rank = colour == WHITE ? 8 : 1;
            int rookFrom = 0, rookTo = 0;
            switch (fileOf(to)) {
                case 2: rookFrom = 1; rookTo = 3; break;
                case 3: rookFrom = 1; rookTo = 4; break;
                case 6: rookFrom = 8; rookTo = 5; break;
                case 7: rookFrom = 8; rookTo = 6; break;
                default: break;
            }
            if (rookFrom != 0) {
                const int rook = pieceCode(colour, ROOK);
                const int rf = squareOf(rookFrom, rank);
                const int rt = squareOf(rookTo, rank);
                undo.rookFrom = static_cast<std::int8_t>(rf);
                undo.rookTo = static_cast<std::int8_t>(rt);
                // The rules write the rook and then empty the corner.
                if (squares_[b][rt] != 0) hash_ ^= pieceKey(b, squares_[b][rt], rt);
                squares_[b][rt] = static_cast<std::int8_t>(rook);
                hash_ ^= pieceKey(b, rook, rt);
                if (squares_[b][rf] != 0) hash_ ^= pieceKey(b, squares_[b][rf], rf);
                squares_[b][rf] = 0;
            }
        }
    }

    // The two-board capture: the arriving piece removes an enemy piece on the
    // same square of the other board; its own side's piece stays.
    const int twin = squares_[o][to];
    if (opponents(placed, twin)) remove(o, to);

    sideToMove_ = -sideToMove_;
    hash_ ^= ZOBRIST.blackToMove;
}

void Position::unmake(EngineMove m, const Undo& undo) {
    const int b = m.board();
    const int from = m.from();
    const int to = m.to();
    sideToMove_ = -sideToMove_;
    squares_[1 - b][to] = undo.twinCaptured;
    if (undo.rookFrom != undo.rookTo) {
        squares_[b][undo.rookFrom] = squares_[b][undo.rookTo];
        squares_[b][undo.rookTo] = 0;
    }
    squares_[b][to] = undo.captured;
    if (m.enPassant()) squares_[b][squareOf(fileOf(to), rankOf(from))] = static_cast<std::int8_t>(pieceCode(-colourOf(undo.mover), PAWN));
    squares_[b][from] = undo.mover;
    kingCount_ = undo.kingCount;
    kingSquare_ = undo.kingSquare;
    material_ = undo.material;
    hash_ = undo.hash;
}

bool Position::operator==(const Position& o) const {
    return squares_ == o.squares_ && kingCount_ == o.kingCount_ && kingSquare_ == o.kingSquare_ && material_ == o.material_ &&
           sideToMove_ == o.sideToMove_ && hash_ == o.hash_;
}

Position positionFromBoards(const Board& left, const Board& right, Colour colour) {
    Position p;
    const Board* boards[2] = {&left, &right};
    for (int b = 0; b < 2; ++b) {
        for (int f = 1; f <= 8; ++f) {
            for (int r = 1; r <= 8; ++r) p.set(b, squareOf(f, r), boards[b]->at(f, r));
        }
    }
    // Missing kings: the squares a fresh program assumes.
    for (int b = 0; b < 2; ++b) {
        p.setMissingKingSquare(b, WHITE, squareOf(5, 8));
        p.setMissingKingSquare(b, BLACK, squareOf(5, 1));
    }
    p.setSideToMove(colour);
    return p;
}

Position positionFromGame(const RulesState& g, Colour colour) {
    Position p = positionFromBoards(g.board(BoardId::LEFT), g.board(BoardId::RIGHT), colour);
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        const BoardState& bs = g.side(id);
        p.setMissingKingSquare(boardIndex(id), WHITE, squareOf(bs.whiteKing.file, bs.whiteKing.rank));
        p.setMissingKingSquare(boardIndex(id), BLACK, squareOf(bs.blackKing.file, bs.blackKing.rank));
    }
    return p;
}

Position positionFromGame(const RulesState& g) {
    return positionFromGame(g, colourOf(g.state, g.state.sideToMove).value_or(WHITE));
}

Board boardOf(const Position& p, BoardId id) {
    Board board;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) board.at(f, r) = static_cast<PieceCode>(p.at(boardIndex(id), squareOf(f, r)));
    }
    return board;
}

}  // namespace velmora::engine
