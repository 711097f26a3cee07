// velmora-cli match: each side's time budget from the command line, and the
// Elo figure of the summary line from the white side's results.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cli/elo.h"
#include "cli/options.h"
#include "levels.h"

namespace velmora::cli {
namespace {

// Parses a command line given as words after the program's name.
std::optional<std::string> parse(std::vector<std::string> words, Options& o) {
    words.insert(words.begin(), "velmora-cli");
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    return parseOptions(static_cast<int>(argv.size()), argv.data(), o);
}

TEST(MatchOptions, EachSideHasItsOwnBudgetAndTimeSetsBoth) {
    const std::vector<std::string> base = {"match", "--white", "4", "--black", "4", "--games", "2", "--seed", "1"};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> words = base;
        words.insert(words.end(), extra.begin(), extra.end());
        Options o;
        const std::optional<std::string> error = parse(words, o);
        EXPECT_FALSE(error) << *error;
        return std::pair(o.whiteTimeMs, o.blackTimeMs);
    };
    // 0: each level's own budget.
    EXPECT_EQ(with({}), std::pair(0, 0));
    EXPECT_EQ(with({"--time", "70"}), std::pair(70, 70));
    EXPECT_EQ(with({"--white-time", "30"}), std::pair(30, 0));
    EXPECT_EQ(with({"--black-time", "40"}), std::pair(0, 40));
    // A side's own budget wins over --time, in either order.
    EXPECT_EQ(with({"--white-time", "30", "--time", "70"}), std::pair(30, 70));
    EXPECT_EQ(with({"--time", "70", "--black-time", "40"}), std::pair(70, 40));
    EXPECT_EQ(with({"--white-time", "30", "--black-time", "40"}), std::pair(30, 40));
}

TEST(MatchOptions, RefusesABudgetForASideWithoutTheEngine) {
    const struct {
        std::vector<std::string> words;
        std::string message;
    } cases[] = {
        {{"match", "--white", "1", "--black", "4", "--games", "1", "--seed", "1", "--white-time", "50"},
         "--white-time is the budget of levels 4-12 only"},
        {{"match", "--white", "9", "--black", "2", "--games", "1", "--seed", "1", "--black-time", "50"},
         "--black-time is the budget of levels 4-12 only"},
        {{"match", "--white", "13", "--black", "2", "--games", "1", "--seed", "1"}, "--white 13 is out of range (1 to 12)"},
        {{"match", "--white", "4", "--black", "4", "--games", "1", "--seed", "1", "--white-time", "0"},
         "--white-time 0 is out of range (1 to 600000)"},
        {{"match", "--white", "4", "--black", "4", "--games", "1", "--seed", "1", "--black-time", "x"},
         "--black-time needs a number from 1 to 600000, not 'x'"},
        {{"match", "--white", "4", "--black", "4", "--games", "1", "--seed", "1", "--black-time"},
         "--black-time needs a number of milliseconds"},
        {{"match", "--white", "4", "--black", "4", "--games", "1", "--seed", "1", "--white-time", "5", "--white-time",
          "6"},
         "--white-time is given more than once"},
        {{"com", "x.棋譜", "--level", "4", "--white-time", "50"}, "unknown option '--white-time' for com"},
    };
    for (const auto& c : cases) {
        Options o;
        const std::optional<std::string> error = parse(c.words, o);
        ASSERT_TRUE(error) << c.message;
        EXPECT_EQ(*error, c.message);
    }
}

TEST(MatchOptions, AProgramPlaysASideAtItsFullEngineOrTheLevelGiven) {
    Options o;
    std::optional<std::string> error =
        parse({"match", "--white-program", "/x/cli", "--black", "2", "--games", "1", "--seed", "1", "--white-time", "30"}, o);
    ASSERT_FALSE(error) << *error;
    EXPECT_EQ(o.whiteProgram, "/x/cli");
    EXPECT_EQ(o.whiteLevel, MAX_LEVEL);
    EXPECT_EQ(o.whiteTimeMs, 30);
    EXPECT_TRUE(o.blackProgram.empty());
    // An older program's engine is its level 4.
    Options older;
    error = parse({"match", "--white", "2", "--black", "4", "--black-program", "/x/old", "--games", "1", "--seed", "1"}, older);
    ASSERT_FALSE(error) << *error;
    EXPECT_EQ(older.blackLevel, 4);
    EXPECT_EQ(older.blackProgram, "/x/old");
    EXPECT_EQ(older.blackTimeMs, 0);
    const struct {
        std::vector<std::string> words;
        std::string message;
    } cases[] = {
        {{"match", "--white", "3", "--white-program", "p", "--black", "4", "--games", "1", "--seed", "1"},
         "--white-program plays levels 4-12 only"},
        {{"match", "--white", "4", "--games", "1", "--seed", "1"}, "match needs --black L or --black-program PATH"},
        {{"match", "--white", "4", "--black-program", "", "--games", "1", "--seed", "1"}, "--black-program needs a program"},
        {{"match", "--white", "1", "--black-program", "p", "--games", "1", "--seed", "1", "--white-time", "5"},
         "--white-time is the budget of levels 4-12 only"},
    };
    for (const auto& c : cases) {
        Options bad;
        error = parse(c.words, bad);
        ASSERT_TRUE(error) << c.message;
        EXPECT_EQ(*error, c.message);
    }
}

TEST(MatchOptions, ATimeControlIsMinutesPlusSecondsForTheProgramsOwnLevels) {
    Options o;
    EXPECT_FALSE(parse({"match", "--white", "9", "--black", "2", "--games", "1", "--seed", "1", "--time-control", "0.1+0.1"}, o));
    EXPECT_EQ(o.timeControl, (TimeControl{6'000, 100}));
    for (const char* bad : {"0+0", "5", "181+0", "5+61", "x"}) {
        Options refused;
        const std::optional<std::string> error =
            parse({"match", "--white", "9", "--black", "9", "--games", "1", "--seed", "1", "--time-control", bad}, refused);
        ASSERT_TRUE(error) << bad;
        EXPECT_EQ(error->rfind("bad --time-control '" + std::string(bad) + "'", 0), 0u) << *error;
    }
    Options program;
    const std::optional<std::string> error = parse({"match", "--white", "9", "--black-program", "/bin/true", "--games",
                                                    "1", "--seed", "1", "--time-control", "1+0"}, program);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("not with another program"), std::string::npos);
}

TEST(MatchElo, KnownScoresAndTheirMargins) {
    // Three points of four: +190.8.
    EXPECT_NEAR(eloFromResults(3, 0, 1).elo, 190.85, 0.01);
    EXPECT_NEAR(eloFromResults(60, 30, 10).elo, 190.85, 0.01);
    EXPECT_NEAR(eloOfScore(0.75), 190.85, 0.01);
    EXPECT_NEAR(eloOfScore(0.64), 100.0, 0.1);
    EXPECT_DOUBLE_EQ(eloFromResults(5, 10, 5).elo, 0.0);
    // An even score prints as 0.0, not -0.0.
    EXPECT_FALSE(std::signbit(eloFromResults(1, 0, 1).elo));
    // The margin: per-game scores 1, 1/2, 0 with standard deviation 0.335
    // over 100 games, 1.96 standard errors each way through the curve.
    EXPECT_NEAR(eloFromResults(60, 30, 10).margin, 62.05, 0.01);
    // White losing is the mirror image.
    const EloEstimate losing = eloFromResults(10, 30, 60);
    EXPECT_NEAR(losing.elo, -190.85, 0.01);
    EXPECT_NEAR(losing.margin, 62.05, 0.01);
    // Four times the games with the same results: about half the margin.
    const double wide = eloFromResults(15, 10, 25).margin;
    const double narrow = eloFromResults(60, 40, 100).margin;
    EXPECT_GT(narrow, wide * 0.45);
    EXPECT_LT(narrow, wide * 0.55);
    // All draws: no difference, and no spread to give a margin.
    EXPECT_DOUBLE_EQ(eloFromResults(0, 8, 0).margin, 0.0);
}

TEST(MatchElo, ASweepCountsAsIfOneGameWereDrawn) {
    const EloEstimate sweep = eloFromResults(10, 0, 0);
    EXPECT_TRUE(std::isfinite(sweep.elo));
    EXPECT_NEAR(sweep.elo, eloOfScore(0.95), 1e-9);
    EXPECT_NEAR(sweep.elo, eloFromResults(9, 1, 0).elo, 1e-9);
    EXPECT_TRUE(std::isfinite(sweep.margin));
    EXPECT_GT(sweep.margin, 0);
    const EloEstimate lost = eloFromResults(0, 0, 10);
    EXPECT_NEAR(lost.elo, -sweep.elo, 1e-9);
    EXPECT_NEAR(lost.margin, sweep.margin, 1e-9);
    // An interval reaching past every point stops half a game short of it:
    // 9 of 10 with a standard deviation of 0.3 reaches 0.9 + 0.186.
    const EloEstimate nearly = eloFromResults(9, 0, 1);
    EXPECT_NEAR(nearly.margin, (eloOfScore(0.95) - eloOfScore(0.9 - 1.96 * 0.3 / std::sqrt(10.0))) / 2, 1e-9);
    // One game says nothing.
    EXPECT_DOUBLE_EQ(eloFromResults(1, 0, 0).elo, 0.0);
    EXPECT_DOUBLE_EQ(eloFromResults(0, 0, 0).elo, 0.0);
}

}  // namespace
}  // namespace velmora::cli
