#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "board/board.h"
#include "board/directions.h"

namespace velmora::engine {

// Squares are 0x88 indices: file 1..8 and rank 1..8 of the game become
// (rank - 1) * 16 + (file - 1), so a step off the board sets bit 0x88.
constexpr int squareOf(int file, int rank) { return (rank - 1) * 16 + (file - 1); }
constexpr int fileOf(int sq) { return (sq & 7) + 1; }
constexpr int rankOf(int sq) { return (sq >> 4) + 1; }
constexpr bool offBoard(int sq) { return (sq & 0x88) != 0; }

// The board's steps as differences of squares.
template <std::size_t N>
constexpr std::array<int, N> squareSteps(const Step (&steps)[N]) {
    std::array<int, N> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = steps[i].dr * 16 + steps[i].df;
    return out;
}
inline constexpr std::array<int, 8> KNIGHT_DELTAS = squareSteps(KNIGHT_STEPS);
inline constexpr std::array<int, 8> KING_DELTAS = squareSteps(KING_STEPS);
inline constexpr std::array<int, 4> STRAIGHT_DELTAS = squareSteps(STRAIGHT_STEPS);
inline constexpr std::array<int, 4> DIAGONAL_DELTAS = squareSteps(DIAGONAL_STEPS);

// One move on one of the two boards, packed in 32 bits: from and to square,
// the board (one bit, set for the right board), the code placed on the destination (the pawn's
// own code unless it promotes) and whether the passed pawn is taken.
class EngineMove {
public:
    constexpr EngineMove() = default;
    constexpr EngineMove(BoardId board, int from, int to, int placed, bool enPassant)
        : bits_(static_cast<std::uint32_t>(from) | static_cast<std::uint32_t>(to) << 7 |
                static_cast<std::uint32_t>(boardIndex(board)) << 14 | static_cast<std::uint32_t>(placed + 8) << 15 |
                (enPassant ? 1u << 19 : 0u)) {}

    constexpr int from() const { return static_cast<int>(bits_ & 127); }
    constexpr int to() const { return static_cast<int>(bits_ >> 7 & 127); }
    constexpr BoardId board() const { return (bits_ >> 14 & 1) != 0 ? BoardId::RIGHT : BoardId::LEFT; }
    constexpr int placed() const { return static_cast<int>(bits_ >> 15 & 15) - 8; }
    constexpr bool enPassant() const { return (bits_ >> 19 & 1) != 0; }
    constexpr bool isNull() const { return bits_ == 0; }
    constexpr std::uint32_t raw() const { return bits_; }
    static constexpr EngineMove fromRaw(std::uint32_t raw) {
        EngineMove m;
        m.bits_ = raw;
        return m;
    }
    constexpr bool operator==(const EngineMove&) const = default;

private:
    std::uint32_t bits_ = 0;
};

// Room for every move of one side on both boards in any position a record
// can hold: at most 64 pieces a board, none with more than 27 moves (a pawn's
// three destinations offered five ways count 15).
constexpr int MOVE_LIST_CAPACITY = 2 * 64 * 27;

struct MoveList {
    EngineMove moves[MOVE_LIST_CAPACITY];
    int size = 0;
    void push(EngineMove m) { moves[size++] = m; }
    const EngineMove* begin() const { return moves; }
    const EngineMove* end() const { return moves + size; }
};

}  // namespace velmora::engine
