#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/game_end.h"
#include "engine/move.h"
#include "engine/position.h"
#include "engine/score.h"
#include "engine/transposition.h"

namespace velmora::engine {

// A king's fall is scored by its distance from the root; the table keeps it
// by its distance from the position stored, so that it reads right when the
// position is met again at another ply.
constexpr Score scoreToTable(Score score, int ply) {
    if (!isKingFall(score)) return score;
    return score > 0 ? score + ply : score - ply;
}
constexpr Score scoreFromTable(Score score, int ply) {
    if (!isKingFall(score)) return score;
    return score > 0 ? score - ply : score + ply;
}

// What a search has found so far, for a display that follows it.
struct SearchProgress {
    int depth = 0;                 // the deepest depth completed
    Score score = 0;               // for the side to move, at that depth
    std::vector<EngineMove> line;  // the best line found there, the chosen move first
    std::uint64_t nodes = 0;       // positions visited so far
    int elapsedMs = 0;
};

struct SearchLimits {
    // Wall-clock budget; 0: none, the depth and node limits end the search.
    // The search deepens until it runs out, and answers the best move of
    // the last depth, or of the unfinished one when a move searched there
    // to the end scored better.
    int timeMs = 1000;
    int maxDepth = MAX_PLY - 4;
    // Set from another thread to end the search early; may be null.
    const std::atomic<bool>* stop = nullptr;
    // A table that outlives the search (one per game's engine); null: the
    // search makes its own of 2^tableLog2 entries.
    TranspositionTable* table = nullptr;
    int tableLog2 = 18;
    GameKind kind = GameKind::AGAINST_COM;  // which stalemate test ends the game
    // Off: every node is searched afresh (for measuring what the table gains,
    // and for comparing scores with a search that has none).
    bool useTable = true;
    // Every depth up to maxDepth is searched, even after a king is found
    // taken within reach (normally the deepening stops there).
    bool everyDepth = false;
    // Ends the search after about this many nodes (0: no limit); unlike the
    // clock it stops at the same node on every run.
    std::uint64_t maxNodes = 0;
    // Prunes and reduces what is unlikely to matter (a null move, shallower
    // searches of late quiet moves, a static cut-off near the horizon): much
    // deeper in the same time, but the score at a given depth is no longer
    // the exact minimax value. Off, the search is exact alpha-beta again.
    bool selective = true;
    // Weakens the choice for the lower levels: each root move's score is
    // raised by its own amount from 0 to this many hundredths of a pawn,
    // drawn from `seed`, so the search picks among the moves within this
    // of the best, the nearer the likelier. A king that can be taken, or
    // one that would be lost, outweighs any spread. 0: the best move. The
    // score reported stays the unbiased one: a second search without the
    // spread, to the depth the first completed, in the time left and with a
    // node budget of its own, gives it.
    Score rootSpread = 0;
    std::uint64_t seed = 0;
    // Off: past the horizon only the captures of a king are followed, so a
    // piece left hanging is overlooked but a king never is.
    bool quiescence = true;
    // Told on the searching thread after each depth completed and, while a
    // depth takes longer, about every `progressMs`; empty: nobody follows.
    std::function<void(const SearchProgress&)> onProgress;
    int progressMs = 250;
    // The most moves a progress report's line holds.
    int lineLength = 8;
};

// The chosen move in the game's terms, and what the search saw.
struct SearchResult {
    EngineMove move;   // null when the side to move has no move
    BoardId board = BoardId::LEFT;
    Square from, to;
    int placed = 0;           // the code placed on the destination
    bool enPassant = false;   // the passed pawn is taken
    Score score = 0;          // for the side to move
    int depth = 0;            // last completed depth
    std::uint64_t nodes = 0;  // positions visited, quiescence included
    bool found() const { return !move.isNull(); }
};

// Iterative-deepening principal variation search with a transposition
// table, move ordering and a quiescence search on captures (both boards).
// Everything it changes belongs to the call, so several searches may run on
// different threads at once.
SearchResult bestMove(const Position& position, const SearchLimits& limits);
inline SearchResult bestMove(const Position& position, int timeMs, const std::atomic<bool>* stop = nullptr) {
    SearchLimits limits;
    limits.timeMs = timeMs;
    limits.stop = stop;
    return bestMove(position, limits);
}

}  // namespace velmora::engine
