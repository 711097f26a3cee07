#pragma once
// Positions written as 8 strings per board, rank 1 (black's back rank, top of
// the screen) first; in each string files 1..8. Lower case black, upper case
// white, '.' empty: "rnbqkbnr" is black's back rank.
#include <array>
#include <string>

#include "game.h"

namespace velmora::testing {

Board boardFrom(const std::array<const char*, 8>& ranks);
std::array<std::string, 8> boardRows(const Board& b);

// A fresh program with these boards, white moving first, both boards surveyed.
void setUp(Game& g, const Board& left, const Board& right);
void setUp(Game& g, const Board& left);  // right board empty

}  // namespace velmora::testing
