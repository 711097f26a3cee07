#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "board/directions.h"
#include "engine/move.h"

namespace velmora {
namespace {

// Every table holds each of its piece's steps exactly once.
template <std::size_t N, class Shape>
void expectSteps(const Step (&steps)[N], Shape shape, const char* name) {
    std::set<std::pair<int, int>> seen;
    for (const Step& s : steps) {
        EXPECT_TRUE(shape(std::abs(s.df), std::abs(s.dr))) << name << " " << s.df << "," << s.dr;
        seen.insert({s.df, s.dr});
    }
    EXPECT_EQ(seen.size(), N) << name;
}

TEST(Directions, EachTableHoldsItsPiecesSteps) {
    expectSteps(KNIGHT_STEPS, [](int f, int r) { return (f == 1 && r == 2) || (f == 2 && r == 1); }, "knight");
    expectSteps(KING_STEPS, [](int f, int r) { return f <= 1 && r <= 1 && f + r > 0; }, "king");
    expectSteps(STRAIGHT_STEPS, [](int f, int r) { return f + r == 1; }, "straight");
    expectSteps(DIAGONAL_STEPS, [](int f, int r) { return f == 1 && r == 1; }, "diagonal");
}

// The engine's square differences lead to the same squares as the file and
// rank steps, from every square, and off the board exactly where they leave it.
template <std::size_t N>
void expectSameSquares(const Step (&steps)[N], const std::array<int, N>& deltas, const char* name) {
    for (std::size_t i = 0; i < N; ++i) {
        for (int f = 1; f <= 8; ++f) {
            for (int r = 1; r <= 8; ++r) {
                const int tf = f + steps[i].df, tr = r + steps[i].dr;
                const int to = engine::squareOf(f, r) + deltas[i];
                const bool on = tf >= 1 && tf <= 8 && tr >= 1 && tr <= 8;
                ASSERT_EQ(on, !engine::offBoard(to)) << name << " " << i << " from " << f << "," << r;
                if (on) {
                    EXPECT_EQ(to, engine::squareOf(tf, tr)) << name << " " << i;
                }
            }
        }
    }
}

TEST(Directions, EngineStepsReachTheSameSquares) {
    expectSameSquares(KNIGHT_STEPS, engine::KNIGHT_DELTAS, "knight");
    expectSameSquares(KING_STEPS, engine::KING_DELTAS, "king");
    expectSameSquares(STRAIGHT_STEPS, engine::STRAIGHT_DELTAS, "straight");
    expectSameSquares(DIAGONAL_STEPS, engine::DIAGONAL_DELTAS, "diagonal");
}

}  // namespace
}  // namespace velmora
