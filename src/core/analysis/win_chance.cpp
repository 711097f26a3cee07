#include "analysis/win_chance.h"

#include <cmath>

namespace velmora {
namespace {

// The curve's slope per hundredth of a pawn (docs/ANALYSIS.md gives the fit).
constexpr double WIN_CHANCE_SLOPE = 0.0023;
// The drops, on the scale of -1..1, from which a move is marked.
constexpr double INACCURACY_DROP = 0.1;
constexpr double MISTAKE_DROP = 0.2;
constexpr double BLUNDER_DROP = 0.3;

}  // namespace

double winChance(engine::Score score) {
    if (engine::isKingFall(score)) return score > 0 ? 1.0 : -1.0;
    return 2.0 / (1.0 + std::exp(-WIN_CHANCE_SLOPE * score)) - 1.0;
}

MoveMark markOf(double drop) {
    if (drop >= BLUNDER_DROP) return MoveMark::Blunder;
    if (drop >= MISTAKE_DROP) return MoveMark::Mistake;
    if (drop >= INACCURACY_DROP) return MoveMark::Inaccuracy;
    return MoveMark::None;
}

std::string_view markText(MoveMark mark) {
    switch (mark) {
        case MoveMark::Inaccuracy: return "?!";
        case MoveMark::Mistake: return "?";
        case MoveMark::Blunder: return "??";
        case MoveMark::None: break;
    }
    return "";
}

}  // namespace velmora
