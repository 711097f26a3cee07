#pragma once
#include "engine/position.h"

namespace velmora::engine {

// Piece values in hundredths of a pawn, by the absolute piece code. The king
// has none: losing it ends the game, which the search scores itself.
constexpr int PIECE_VALUE[7] = {0, 100, 320, 330, 500, 900, 0};

// The position's worth for the side to move, in hundredths of a pawn:
// material over both boards, pawn advance, king safety on both boards and
// mobility of the pieces.
int evaluate(const Position& p);

// The parts of the evaluation for `color` alone, for tests and tuning.
struct EvaluationTerms {
    int material = 0;
    int kingSafety = 0;
    int mobility = 0;
};
EvaluationTerms evaluationTerms(const Position& p, int color);

}  // namespace velmora::engine
