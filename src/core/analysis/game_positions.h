#pragma once
#include <utility>
#include <vector>

#include "analysis/review.h"
#include "game.h"

namespace velmora {

// The rules the analysis and the review judge by: a record does not say
// whether the computer played in it, so every game is judged as between
// people, where each move must keep its own king safe, and the same record
// gets the same marks in the window and from velmora-cli.
constexpr engine::GameKind ANALYSIS_KIND = engine::GameKind::TWO_PEOPLE;

// The game's snapshots 0..`last` (each its left and right board).
std::vector<std::pair<Board, Board>> snapshotsOf(const Game& g, int last);

// The game on the screen laid out for the review: its moves up to the last one 進 reaches.
ReviewGame reviewGameOf(const Game& g);

// The position shown on the boards, with the side to move there, and the
// colour that moved first in the game.
struct ShownPosition {
    ReviewPosition at;
    Colour first = Colour::White;
};
ShownPosition shownPosition(const Game& g);

}  // namespace velmora
