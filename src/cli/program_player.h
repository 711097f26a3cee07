#pragma once
// A side of a match played by another velmora-cli program: each move is the
// answer of `PROGRAM com RECORD --level L [--time MS]` on a record holding the
// position, black to move.
#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "board/board.h"

namespace velmora::cli {

// One move of the answer, in the game's terms (black's colours).
struct ProgramMove {
    BoardId board = BoardId::LEFT;
    Square from, to;
    PieceCode placed = EMPTY;
};

// The program's answer: a move, no move at all (black cannot move), or what
// went wrong, as one line.
struct NoMove {};
using ProgramAnswer = std::variant<ProgramMove, NoMove, std::string>;

// Reads the JSON line `com` prints for one position. Anything but a board
// named with a move on it, or no board and no move, is a message.
ProgramAnswer parseComAnswer(const std::string& text);

// SIGINT, SIGTERM and SIGHUP while other programs play: caught from here on,
// so that the program running is ended with everything it started and the
// private folders are removed before the signal takes its course. False when
// the signals cannot be caught.
bool catchEndSignals();
// The signal that asked the match to end, or 0.
int endSignal();
// Set by that signal, for a search to stop early.
const std::atomic<bool>* endRequested();

class ProgramPlayer {
public:
    // Makes a private folder for the records it hands over; `failure` says
    // why when it cannot.
    // `timeMs` 0: the program's own budget for the level.
    ProgramPlayer(std::string program, int level, int timeMs, std::string& failure);
    ~ProgramPlayer();
    ProgramPlayer(const ProgramPlayer&) = delete;
    ProgramPlayer& operator=(const ProgramPlayer&) = delete;

    // Black's move on these boards as the program answers it.
    ProgramAnswer blackMove(const Board& left, const Board& right);

    const std::string& program() const { return program_; }

private:
    std::string program_;
    int level_;
    int timeMs_;
    std::filesystem::path folder_;
};

}  // namespace velmora::cli
