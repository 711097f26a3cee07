#pragma once
#include <filesystem>
#include <optional>

#include "game.h"

namespace velmora {

// The record the program keeps of a game it ends with unsaved moves.
constexpr const char* RESUME_FILE_NAME = "resume.棋譜";

// Why the game could not be kept: the file it was to go to, and an errno
// value (or FILE_NOT_REGULAR).
struct KeepFailure {
    std::filesystem::path path;
    int reason = 0;
};

// Writes the whole history, move 0 to the last move made (also when the
// boards show an earlier one), as an ordinary record with empty header lines,
// when it holds moves no save has written; its folder is made as needed.
// Nothing when written or nothing needed writing. It never asks anything:
// the caller tells the person, and the file there stays whole.
//
// Two programs ending at once in one folder both keep their games: the
// folder is locked while the file is chosen and written, and a resume.棋譜
// another program wrote after this one started is left alone, the game
// going to the first free "resume-N.棋譜" beside it instead.
// `underWay`: the game was being played (not finished, not a record), and
// its title says how, for 前回の対局 to go on with it.
std::optional<KeepFailure> writeResumeRecord(Game& g, bool underWay);

}  // namespace velmora
