#pragma once
#include <array>
#include <cstdint>

#include "board/piece.h"

namespace velmora {

// The two boards; the same numbers are the mouse buttons and drawing board numbers.
enum class BoardId : int { LEFT = 1, RIGHT = 2 };

constexpr BoardId otherBoard(BoardId id) { return id == BoardId::LEFT ? BoardId::RIGHT : BoardId::LEFT; }
constexpr int boardIndex(BoardId id) { return id == BoardId::LEFT ? 0 : 1; }

constexpr bool onBoard(int file, int rank) { return file >= 1 && file <= 8 && rank >= 1 && rank <= 8; }

// A square of a board by file and rank, 1..8 each; {0, 0} is no square (an
// unwritten grid entry).
struct Square {
    int file = 0;
    int rank = 0;
    bool operator==(const Square&) const = default;
};

constexpr bool onBoard(Square s) { return onBoard(s.file, s.rank); }

// An 8x8 grid indexed [file 1..8][rank 1..8], file outer, as every scan of the
// game walks it.
template <class T>
struct Grid {
    std::array<T, 64> cells{};

    static constexpr int index(int file, int rank) { return (file - 1) * 8 + (rank - 1); }
    T& at(int file, int rank) { return cells[index(file, rank)]; }
    const T& at(int file, int rank) const { return cells[index(file, rank)]; }
    T& at(Square s) { return at(s.file, s.rank); }
    const T& at(Square s) const { return at(s.file, s.rank); }
    void fill(T value) { cells.fill(value); }
    bool operator==(const Grid&) const = default;
};

using Board = Grid<PieceCode>;
using IntGrid = Grid<std::int16_t>;

// Reads a square that may name no square (an unwritten grid entry, 0): such a
// square holds nothing.
inline PieceCode pieceAtOrEmpty(const Board& b, int file, int rank) {
    return onBoard(file, rank) ? b.at(file, rank) : EMPTY;
}

}  // namespace velmora
