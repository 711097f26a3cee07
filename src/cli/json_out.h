#pragma once
#include <string>

#include "game.h"

namespace velmora::cli {

std::string gridJson(const IntGrid& grid);
std::string squareJson(int file, int rank);
std::string influenceJson(const BoardState& bs);
// The shortest text that reads back as the same double.
std::string numberJson(double value);

}  // namespace velmora::cli
