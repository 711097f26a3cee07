#pragma once
#include <string>

#include "game.h"

namespace velmora {

// How a turn or a click left the game. A handler that gets ProgramEnds has
// told the shell to end the program and returns at once.
enum class GameOutcome { Continues, NewGame, ProgramEnds };

// The end of a game: the result box, then "続けますか？". Yes sets up a new
// board and draws it, No ends the program. `winner` is "引分" for a draw.
GameOutcome 終了(Game& g, const std::string& winner);

// Releases the sound buffers and the device; every way out of the program runs it.
void 終了処理(Game& g);

// Releases what the program holds, then tells the shell to end the program.
void endProgram(Game& g);

}  // namespace velmora
