#pragma once
#include <optional>

#include "com/com_state.h"
#include "game.h"

namespace velmora {

// Surveys both boards and copies the grids the evaluation compares against.
void prepareTurn(Game& g);

// What one board's search does before trying moves: the copies of the board,
// the white king's escapes, black's piece count, a fresh survey and the pins.
void prepareBoard(Game& g, BoardId id);

struct Candidate {
    CandidateScore score;
    PieceCode placed;
    PieceCode captured;
};

// Makes one legal black move on the board, surveys and scores it, and takes it back.
Candidate tryCandidate(Game& g, BoardId id, Square from, Square to);

// Tries every legal black move on one board and keeps the best in that
// board's BestMove (none when it has no legal move). A capture of the white
// king ends the board's search.
void searchMoves(Game& g, BoardId id);

// One board's whole search: prepared, the window repainted, the pause before
// the search, then every move tried (searchMoves).
void searchBoard(Game& g, BoardId id);

// The search part of the computer's turn: both boards surveyed, the grids of
// the turn's start copied, the left board searched, surveyed again on its real
// position, the right board searched. Returns the board to play on, or nothing
// when neither board has a legal black move.
std::optional<BoardId> comSearch(Game& g);

// The board whose best move scores higher, the left one on equal scores;
// the only board with a move when the other has none; nothing when neither
// has one.
std::optional<BoardId> betterBoard(const ComState& c);

}  // namespace velmora
