#pragma once
#include <vector>

#include "board/board.h"

namespace velmora {

constexpr int MAX_MOVES = 500;
constexpr int HISTORY_SIZE = MAX_MOVES + 1;

// Snapshots of both boards after every move, 0..500; snapshot 0 is the start.
struct History {
    std::vector<Board> left = std::vector<Board>(HISTORY_SIZE);
    std::vector<Board> right = std::vector<Board>(HISTORY_SIZE);
    // Snapshot n was stored from boards turned round by 反転.
    std::vector<bool> turned = std::vector<bool>(HISTORY_SIZE);

    static constexpr bool valid(int n) { return n >= 0 && n < HISTORY_SIZE; }
    std::vector<Board>& of(BoardId id) { return id == BoardId::LEFT ? left : right; }
    const std::vector<Board>& of(BoardId id) const { return id == BoardId::LEFT ? left : right; }
};

}  // namespace velmora
