#pragma once
#include "engine/piece_values.h"
#include "engine/position.h"

namespace velmora::engine {

// The position's worth for the side to move, in hundredths of a pawn:
// material over both boards, pawn advance, king safety on both boards and
// mobility of the pieces.
int evaluate(const Position& p);

// The parts of the evaluation for `colour` alone, for tests and tuning.
struct EvaluationTerms {
    int material = 0;
    int kingSafety = 0;
    int mobility = 0;
};
EvaluationTerms evaluationTerms(const Position& p, Colour colour);

}  // namespace velmora::engine
