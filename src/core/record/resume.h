#pragma once
#include "game.h"

namespace velmora {

// The record the program keeps of a game it ends with unsaved moves.
constexpr const char* RESUME_FILE_NAME = "resume.棋譜";

// Writes the whole history, move 0 to the last move made (also when the
// boards show an earlier one), as an ordinary record with empty header lines,
// when it holds moves no save has written; its folder is made as needed.
// True when written or nothing needed writing. It never asks anything: a
// program that cannot keep the game still ends, and the file there stays whole.
bool writeResumeRecord(Game& g);

// 棋譜 ▸ 前回の対局: loads the kept game as the load panel would and steps to
// its last position, so that a click on a board goes on with it.
void KIFU_RESUME_Click(Game& g);

}  // namespace velmora
