#pragma once

namespace velmora::cli {

// A match's strength figure: the Elo difference of one side from its wins,
// draws and losses, and the half width of its 95% confidence interval.
struct EloEstimate {
    double elo = 0;
    double margin = 0;
};

// The score fraction s (a win 1, a draw 1/2) maps to -400·log10(1/s - 1);
// the margin maps s ± 1.96 standard errors of the per-game score through the
// same curve and takes half the distance. A clean sweep has no finite
// figure, so it counts as if one of its games had been drawn, and the
// interval's ends stay within half a game of 0 and of every point.
EloEstimate eloFromResults(int wins, int draws, int losses);

// The Elo difference of a score fraction strictly between 0 and 1.
double eloOfScore(double score);

}  // namespace velmora::cli
