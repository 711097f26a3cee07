#pragma once
#include <string>

#include "rules/board.h"

namespace velmora::cli {

// Both boards side by side, as a person reads them: black at the top, files
// ａ-ｈ, rank digits as the game shows them (rank 1 reads ８).
std::string boardsText(const Board& left, const Board& right);

}  // namespace velmora::cli
