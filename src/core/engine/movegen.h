#pragma once
#include "engine/move.h"
#include "engine/position.h"

namespace velmora::engine {

// Does `colour` cover `sq` on `board`, as the influence survey counts it? Line
// pieces see through the enemy king (their walk only stops at other pieces).
bool attacked(const Position& p, int board, int sq, Colour colour);

// Whether a move must keep the mover's own king unattacked. The person's
// moves are tested (except while the computer's check stands against white);
// the computer's own candidates are judged by the move test alone.
enum class KingTest { Tested, Untested };

// Every move of the side to move that the move rules accept, on both boards
// (left first): the move test and, when tested, the own king not attacked
// after the plain move. A pawn reaching its last rank gives one move per
// piece it may become (queen, rook, bishop, knight or pawn); an en passant
// diagonal gives the capture and the plain step that leaves the passed pawn
// standing. The position is used for tentative moves and left as it was.
void generateMoves(Position& p, MoveList& list, KingTest test = KingTest::Tested);

// Only the moves that take something on either board, promote, or take en
// passant: what the quiescence search looks at.
void generateCaptures(Position& p, MoveList& list, KingTest test = KingTest::Tested);

// Takes something on the board moved on or on the other board.
inline bool isCapture(const Position& p, EngineMove m) {
    const int mover = p.at(m.board(), m.from());
    const int there = p.at(m.board(), m.to());
    const int twin = p.at(1 - m.board(), m.to());
    return m.enPassant() || opponents(there, mover) || opponents(twin, mover);
}

}  // namespace velmora::engine
