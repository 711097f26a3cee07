#pragma once
#include <array>
#include <cstdint>
#include <cstring>

#include "board/board.h"
#include "board/piece.h"
#include "engine/move.h"

namespace velmora {
class RulesState;
}

namespace velmora::engine {

// The engine's short names for the two colours.
inline constexpr Colour WHITE = Colour::White;
inline constexpr Colour BLACK = Colour::Black;
// Index of a colour's entry in the per-colour arrays: white 0, black 1.
constexpr int colourIndex(Colour colour) { return colour == BLACK ? 1 : 0; }

// What a move changed beyond its own squares, so that unmake restores it.
struct Undo {
    std::int8_t captured = 0;      // on the destination of the board moved on
    std::int8_t twinCaptured = 0;  // on the same square of the other board
    std::int8_t mover = 0;         // the code that left the from square
    std::int8_t rookFrom = 0;      // a castling rook's squares, 0 when none moved
    std::int8_t rookTo = 0;
    std::array<std::array<std::int8_t, 2>, 2> kingCount{};
    std::array<std::array<std::uint8_t, 2>, 2> kingSquare{};
    std::array<int, 2> material{};
    std::uint64_t hash = 0;
};

// Both boards and the side to move. Castling and en passant are judged from
// the squares alone, so nothing else is needed. Per board and colour the
// position keeps how many kings stand there and where: the single king's
// square, or, once the king is gone, the square the rules still look at for
// that colour's safety (where the king was last seen).
class Position {
public:
    Position();

    int at(int board, int sq) const { return squares_[board][sq]; }
    // The eight squares of one rank (0..7) as one word, file a in the lowest
    // byte: a whole empty rank is skipped with one test.
    std::uint64_t rankWord(int board, int rank) const {
        std::uint64_t w;
        std::memcpy(&w, &squares_[board][rank * 16], sizeof w);
        return w;
    }
    Colour sideToMove() const { return sideToMove_; }
    std::uint64_t hash() const { return hash_; }
    int kingCount(int board, Colour colour) const { return kingCount_[board][colourIndex(colour)]; }
    // The value of `colour`'s pieces over both boards, kept as moves are made.
    int material(Colour colour) const { return material_[colourIndex(colour)]; }

    // The square the self-check test reads for `colour` on `board`: its king,
    // the last one in file-then-rank order when there are several, or the
    // remembered square when it has none.
    int kingSquare(int board, Colour colour) const;

    void set(int board, int sq, int code);
    void setSideToMove(Colour colour);
    // Where the rules look for a missing king of `colour` on `board`.
    void setMissingKingSquare(int board, Colour colour, int sq);

    void make(EngineMove m, Undo& undo);
    void unmake(EngineMove m, const Undo& undo);

    // Tentative plain move for the self-check test: the piece moves, nothing
    // else happens; undone by undoPlain.
    void plain(int board, int from, int to) {
        squares_[board][to] = squares_[board][from];
        squares_[board][from] = 0;
    }
    void undoPlain(int board, int from, int to, int fromCode, int toCode) {
        squares_[board][from] = static_cast<std::int8_t>(fromCode);
        squares_[board][to] = static_cast<std::int8_t>(toCode);
    }

    // The last king of `colour` on `board` in file-then-rank order, or -1.
    int scanKing(int board, Colour colour) const;

    bool operator==(const Position& o) const;

private:
    void remove(int board, int sq);
    void recountKings(int board, Colour colour, int lostAt);

    std::array<std::array<std::int8_t, 128>, 2> squares_{};
    std::array<std::array<std::int8_t, 2>, 2> kingCount_{};
    std::array<std::array<std::uint8_t, 2>, 2> kingSquare_{};
    std::array<int, 2> material_{};
    Colour sideToMove_ = WHITE;
    std::uint64_t hash_ = 0;
};

// The game's two boards with `colour` to move. A board without a king of a
// colour keeps the king square the game last recorded for it.
Position positionFromGame(const RulesState& g, Colour colour);
// The same with the side to move of the running game (white when none runs).
Position positionFromGame(const RulesState& g);
// Both boards of a position in the game's own form.
Board boardOf(const Position& p, BoardId id);
// A position from two boards, with the king squares a freshly started
// program assumes for missing kings.
Position positionFromBoards(const Board& left, const Board& right, Colour colour);

}  // namespace velmora::engine
