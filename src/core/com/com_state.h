#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "board/board.h"
#include "game.h"
#include "game_outcome.h"
#include "ports/engine_runner_port.h"

namespace velmora {

// A candidate move's score as the one-move levels' evaluation gives it: a
// real sum of the evaluation's terms, which count the pieces by their codes'
// values (a pawn 1, a queen 5). Not the engine's Score: a move of the
// engine's levels carries the engine's score in pawns (engine::inPawns).
using CandidateScore = double;

// One board's best move of the computer's search.
struct BestMove {
    CandidateScore score = 0;
    Square from;
    Square to;
    PieceCode placedPiece = EMPTY;
    PieceCode movingPiece = EMPTY;
};

// The computer's per-board working copies, taken before the search so the
// evaluation can compare a candidate with the position at the start of the turn.
struct ComBoardWork {
    Board boardBefore;
    IntGrid whiteAttacksBefore;
    IntGrid blackAttacksBefore;
    Grid<Square> blackThreatFromBefore;
    int kingDistance = 0;
    int whiteKingEscapes = 0;
    IntGrid pinnedWhite;  // filled for the left board only
    // The board's best move; none until the search finds one (none at all
    // when black cannot move on this board).
    std::optional<BestMove> best;
};

// The full engine's thinking time a move (the top level): a little under a
// second, so the move is on the board within one.
constexpr int FULL_ENGINE_TIME_MS = 950;

// The computer player's own state: its working boards, its seed, its turn and
// its searches. A game makes one the first time the computer is asked for
// anything (comState(g)).
struct ComState final : ComputerPlayer {
    ComState();
    ComBoardWork boards[2];
    // The engine's budget a move in place of its level's own (0: the level's).
    int engineTimeMs = 0;
    // Where the lower levels' chance choices come from: each search draws the
    // next seed, so that no two games go alike unless the seed is set.
    std::uint64_t seed = 0;
    std::uint64_t searches = 0;
    std::uint64_t nextSeed() {
        // splitmix64: a well-mixed value from the seed and the count.
        std::uint64_t x = seed + 0x9e3779b97f4a7c15ULL * ++searches;
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
        return x ^ (x >> 31);
    }
    PieceCode searchPiece = EMPTY;
    int blackPieceCount = 0;
    bool blackPinned = false;
    // The computer's search was stopped for a command before it moved: the
    // game stands paused with the computer to move until it is taken up again.
    bool turnStopped = false;

    // Where the computer's turn stands. Thinking: from the turn's start to
    // its move (the pauses before the search, the search); Showing: the move
    // is made and stored, and the screen still shows it (the blinking, the
    // animations, the pause after it, the check box).
    enum class Turn { None, Thinking, Showing };
    Turn turn = Turn::None;
    // Counts the turns begun: a step or an answer of an earlier turn finds
    // another number here and does nothing.
    std::uint64_t turnNumber = 0;
    // What ends the turn: the game's end when it names a winner.
    std::function<void(std::optional<Winner>)> turnEnded;
    // The searches under way: the computer's, a hint's, a draw offer's.
    std::shared_ptr<SearchTask> search;
    std::shared_ptr<SearchTask> hintSearch;
    bool thinking() const { return turn == Turn::Thinking; }

    ComBoardWork& of(BoardId id) { return boards[boardIndex(id)]; }
    const ComBoardWork& of(BoardId id) const { return boards[boardIndex(id)]; }

    void positionAboutToChange(Game& g) override;
    void stopEverything() override;
    void newBoard() override { turnStopped = false; }
};

// The computer player's state of this game, made (with a fresh seed) the
// first time it is asked for.
ComState& comState(Game& g);
// Its state as it stands; a game the computer has never been asked anything
// in answers as a fresh one.
const ComState& comState(const Game& g);

// Ends a computer's turn that has not moved: its search is cancelled,
// "思考中" goes, and the game stands paused with the computer to move
// (turnStopped), as after a step back, until it is taken up again. Nothing is
// done when the computer is not thinking.
void setComputerTurnAside(Game& g);

}  // namespace velmora
