#pragma once
#include <string_view>

#include "engine/score.h"

namespace velmora {

// A score as the side it belongs to's chance of winning, from -1 (lost) to
// 1 (won): 2 / (1 + e^(-k score)) - 1, with k fitted to games of the full
// engine (docs/ANALYSIS.md). A king's fall within reach counts as won or lost.
double winChance(engine::Score score);

// How much a move gave away: the drop of its player's winning chance from
// the position before (best play) to the position after it.
enum class MoveMark { None, Inaccuracy, Mistake, Blunder };

// The mark of a move that lowered its player's chance by `drop` (0..2).
MoveMark markOf(double drop);

// "?!", "?", "??", or "" for none.
std::string_view markText(MoveMark mark);

}  // namespace velmora
