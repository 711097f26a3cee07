#pragma once
#include "engine/piece_values.h"
#include "engine/position.h"
#include "engine/score.h"

namespace velmora::engine {

// The position's worth for the side to move:
// material over both boards, pawn advance, king safety on both boards and
// mobility of the pieces.
Score evaluate(const Position& p);

// The parts of the evaluation for `colour` alone, for tests and tuning.
struct EvaluationTerms {
    Score material = 0;
    Score kingSafety = 0;
    Score mobility = 0;
};
EvaluationTerms evaluationTerms(const Position& p, Colour colour);

}  // namespace velmora::engine
