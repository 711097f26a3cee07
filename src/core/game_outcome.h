#pragma once

namespace velmora {

// How a turn or a click left the game. A handler that gets ProgramEnds has
// told the shell to end the program and returns at once.
enum class GameOutcome { Continues, NewGame, ProgramEnds };

// Who won a game that has ended: the person or the computer in a game
// against the computer, the first or the second player in a game between
// two people; nobody when it was drawn.
enum class Winner { Draw, Person, Computer, FirstPlayer, SecondPlayer };

}  // namespace velmora
