#pragma once
#include <optional>
#include <vector>

#include "engine/position.h"
#include "engine/score.h"
#include "text/text.h"

namespace velmora {

// The moves of a line from `position`, each named as the move list names
// it, board first; stops at a move the boards do not read as one.
std::vector<Text> lineNames(engine::Position position, const std::vector<engine::EngineMove>& line);

// A score for the first player as the analysis shows it: "+1.35" in pawns,
// or which player takes a king and in how many moves.
Text scoreText(engine::Score firstPlayersScore);

}  // namespace velmora
