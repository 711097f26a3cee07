#pragma once
#include <array>
#include <cstdint>

#include "board/board.h"

namespace velmora::engine {

// Position keys computed at compile time: one per board, piece code and
// square, and one for black to move. Read-only, so searches on several
// threads share them safely.
struct ZobristKeys {
    std::array<std::uint64_t, 2 * 13 * 128> piece{};
    std::uint64_t blackToMove = 0;
};

constexpr std::uint64_t splitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr ZobristKeys makeZobristKeys() {
    ZobristKeys keys;
    std::uint64_t state = 0x5E1D0A2A11ull;
    for (auto& k : keys.piece) k = splitMix(state);
    keys.blackToMove = splitMix(state);
    return keys;
}

inline constexpr ZobristKeys ZOBRIST = makeZobristKeys();

constexpr std::uint64_t pieceKey(BoardId board, int code, int sq) {
    return ZOBRIST.piece[static_cast<std::size_t>((boardIndex(board) * 13 + code + 6) * 128 + sq)];
}

}  // namespace velmora::engine
