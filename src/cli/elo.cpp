#include "cli/elo.h"

#include <algorithm>
#include <cmath>

namespace velmora::cli {

// An even score is 0, never -0: log10(1) is +0 and its negation would print as "-0.0".
double eloOfScore(double score) { return 400.0 * -std::log10(1.0 / score - 1.0) + 0.0; }

EloEstimate eloFromResults(int wins, int draws, int losses) {
    const int games = wins + draws + losses;
    if (games <= 0) return {};
    if (wins == games) {
        --wins;
        ++draws;
    } else if (losses == games) {
        --losses;
        ++draws;
    }
    const double n = games;
    const double score = (wins + 0.5 * draws) / n;
    const double variance =
        (wins * (1 - score) * (1 - score) + draws * (0.5 - score) * (0.5 - score) + losses * score * score) / n;
    const double reach = 1.96 * std::sqrt(variance / n);
    const double lowest = 0.5 / n;
    const double highest = 1.0 - lowest;
    EloEstimate out;
    out.elo = eloOfScore(score);
    if (lowest < highest) {
        const double low = std::clamp(score - reach, lowest, highest);
        const double high = std::clamp(score + reach, lowest, highest);
        out.margin = (eloOfScore(high) - eloOfScore(low)) / 2;
    }
    return out;
}

}  // namespace velmora::cli
