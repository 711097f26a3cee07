#pragma once
#include <optional>
#include <utility>
#include <vector>

#include "game.h"

namespace velmora {

// One move read back from the snapshots before and after it.
struct PlayedMove {
    BoardId board = BoardId::LEFT;  // the board moved on
    Square from;
    Square to;
    PieceCode piece = EMPTY;   // what left `from`
    PieceCode placed = EMPTY;  // what stands on `to` afterwards: the new piece after a promotion
    bool castling = false;
    Square rookFrom;
    Square rookTo;
    bool enPassant = false;
    Square passedPawn;  // the pawn taken en passant
    // An enemy piece stood on `to` of the board moved on (en passant aside).
    bool capture = false;
    // The two-board capture took an enemy piece from square `to` of the other board.
    bool twinCapture = false;

    bool promotion() const { return placed != piece; }
    bool operator==(const PlayedMove&) const = default;
};

// The move that turned the boards `before` into the boards `after`, or none
// when the change is not one move (nothing changed, pieces arrived on both
// boards, a piece vanished that no move takes). A square that changed in the
// same way on both boards is not the move's doing (a handicap took the same
// piece off both boards, or a new game exchanged kings and queens) and is
// passed over.
std::optional<PlayedMove> readMove(const Board& leftBefore, const Board& rightBefore, const Board& leftAfter,
                                   const Board& rightAfter);

// The colour of the move between two snapshots: that of the first piece
// (file by file, rank by rank, left board before right) that arrived on a
// square. None when nothing arrived.
std::optional<Colour> arrivedColour(const Board& leftBefore, const Board& rightBefore, const Board& leftAfter,
                                    const Board& rightAfter);

// The colour of each move of a game's snapshots (each its left and right
// board), move n at n - 1: what arrived, or, where nothing did, the other
// colour than the move before (white for a first move).
std::vector<Colour> moverColours(const std::vector<std::pair<Board, Board>>& snapshots);

// The colour to move at snapshot n: the other colour than the one that made
// move n; at the start, the colour of the first move, or `start` when the
// snapshots hold no move.
Colour toMoveAtSnapshot(const std::vector<std::pair<Board, Board>>& snapshots, int n, Colour start = Colour::White);

// Move n (1..500) of the game's record, from snapshots n - 1 and n. A move
// made after 反転 is read on the turned boards it was played on.
std::optional<PlayedMove> playedMove(const Game& g, int n);

// The board turned through 180 degrees with the colours exchanged, as 反転 turns it.
Board turnedBoard(const Board& b);
constexpr Square turnedSquare(Square s) { return {9 - s.file, 9 - s.rank}; }

}  // namespace velmora
