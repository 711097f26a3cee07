#pragma once
#include "board/piece.h"
#include "board/side.h"

namespace velmora {

// How a turn or a click left the game. A handler that gets ProgramEnds has
// told the shell to end the program and returns at once.
enum class GameOutcome { Continues, NewGame, ProgramEnds };

// Who won a game that has ended: the person or the computer in a game
// against the computer, the first or the second player in a game between
// two people; nobody when it was drawn.
enum class Winner { Draw, Person, Computer, FirstPlayer, SecondPlayer };

// The winner when colour `c` wins: against the computer the person plays
// white; between two people white counts as the first player whoever moved
// first.
constexpr Winner winnerOf(GameMode mode, Colour c) {
    if (mode == GameMode::AgainstComputer) return c == Colour::White ? Winner::Person : Winner::Computer;
    return c == Colour::White ? Winner::FirstPlayer : Winner::SecondPlayer;
}

}  // namespace velmora
