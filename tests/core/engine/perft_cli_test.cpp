// velmora-cli perft: the JSON lines it prints agree with the engine's perft
// of the same snapshot, the divide lines add up, and bad command lines are
// refused with a message.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "game.h"
#include "record/notation.h"
#include "engine/perft.h"
#include "engine/position.h"
#include "json_cli.h"
#include "record/record_file.h"
#include "rules/move_list.h"
#include "rules/setup.h"

namespace velmora::engine {
namespace {

using velmora::testing::Json;

using CliRun = velmora::testing::JsonCliRun;

CliRun cli(const std::string& args) { return velmora::testing::jsonCli(args); }

CliRun perftCli(const std::string& args) { return cli("perft " + args); }

const Json& field(const Json& j, const std::string& key) {
    return std::get<std::map<std::string, Json>>(j.value).at(key);
}
double number(const Json& j, const std::string& key) { return std::get<double>(field(j, key).value); }

const std::string GOLDEN = std::string("'") + VELMORA_GOLDEN_DIR + "/play.棋譜'";

std::uint64_t enginePerft(int snapshot, Colour colour, int depth) {
    RecordFile record;
    std::string error;
    EXPECT_TRUE(readRecordFileStrict(VELMORA_GOLDEN_DIR "/play.棋譜", record, error));
    const SnapshotPair& s = record.snapshots.at(static_cast<size_t>(snapshot));
    Position p = positionFromBoards(s.left, s.right, colour);
    return perft(p, depth);
}

TEST(PerftCli, DivideLinesAddUpToTheEnginesCount) {
    const CliRun run = perftCli(GOLDEN + " --move 0 --depth 2 --divide");
    ASSERT_EQ(run.status, 0);
    ASSERT_GT(run.lines.size(), 1u);
    const Json& total = run.lines.back();
    EXPECT_EQ(std::get<std::string>(field(total, "side").value), "white");
    EXPECT_EQ(number(total, "move"), 0);
    EXPECT_EQ(number(total, "depth"), 2);
    double sum = 0;
    for (size_t i = 0; i + 1 < run.lines.size(); ++i) sum += number(run.lines[i], "nodes");
    EXPECT_EQ(sum, number(total, "nodes"));
    EXPECT_EQ(static_cast<std::uint64_t>(sum), enginePerft(0, WHITE, 2));
    EXPECT_EQ(run.lines.size() - 1, enginePerft(0, WHITE, 1));
}

bool hasKey(const Json& j, const std::string& key) { return std::get<std::map<std::string, Json>>(j.value).count(key) > 0; }

// Each root move's line reaches the reader as soon as its count is done:
// stopped right after the first line has arrived, the process has not yet
// written the total, which comes only at the end.
TEST(PerftCli, DivideWritesEachRootMoveAsItCompletes) {
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const std::string file = std::string(VELMORA_GOLDEN_DIR) + "/play.棋譜";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDERR_FILENO);
        ::execl(VELMORA_CLI, VELMORA_CLI, "perft", file.c_str(), "--move", "0", "--depth", "5", "--divide",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    FILE* in = ::fdopen(out[0], "r");
    ASSERT_NE(in, nullptr);
    char buffer[4096];
    const bool gotLine = std::fgets(buffer, sizeof buffer, in) != nullptr;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(gotLine);
    std::vector<Json> lines{Json::parse(buffer)};
    while (std::fgets(buffer, sizeof buffer, in)) lines.push_back(Json::parse(buffer));
    std::fclose(in);
    EXPECT_TRUE(hasKey(lines[0], "board"));
    for (const Json& line : lines) EXPECT_FALSE(hasKey(line, "depth")) << "the total came with the first line";
    EXPECT_TRUE(WIFSIGNALED(status));
}

TEST(PerftCli, SideDefaultsToTheSideThatDidNotMoveLast) {
    // The rules module tells who made the move into snapshot n.
    RecordFile record;
    std::string error;
    ASSERT_TRUE(readRecordFileStrict(VELMORA_GOLDEN_DIR "/play.棋譜", record, error));
    auto g = std::make_unique<Game>();
    putPosition(*g, record.snapshots[0].left, record.snapshots[0].right);
    for (int n = 1; n <= 6; ++n) {
        for (int k : {n - 1, n}) {
            g->history.left[k] = record.snapshots[static_cast<size_t>(k)].left;
            g->history.right[k] = record.snapshots[static_cast<size_t>(k)].right;
        }
        const Side mover = 調査_手番(*g, n);
        ASSERT_NE(mover, Side::None);
        const std::string expected = mover == g->state.whiteSide ? "black" : "white";
        const CliRun run = perftCli(GOLDEN + " --move " + std::to_string(n) + " --depth 1");
        ASSERT_EQ(run.status, 0);
        ASSERT_EQ(run.lines.size(), 1u);
        EXPECT_EQ(std::get<std::string>(field(run.lines[0], "side").value), expected) << "snapshot " << n;
        const Colour colour = expected == "black" ? BLACK : WHITE;
        EXPECT_EQ(static_cast<std::uint64_t>(number(run.lines[0], "nodes")), enginePerft(n, colour, 1));
    }

    const CliRun forced = perftCli(GOLDEN + " --move 1 --depth 2 --side white");
    ASSERT_EQ(forced.status, 0);
    ASSERT_FALSE(forced.lines.empty());
    EXPECT_EQ(std::get<std::string>(field(forced.lines.back(), "side").value), "white");
    EXPECT_EQ(static_cast<std::uint64_t>(number(forced.lines.back(), "nodes")), enginePerft(1, WHITE, 2));
}

TEST(EngineCli, EachEngineLevelAnswersWithALegalMoveInTheComputersShape) {
    RecordFile record;
    std::string error;
    ASSERT_TRUE(readRecordFileStrict(VELMORA_GOLDEN_DIR "/play.棋譜", record, error));
    // Levels 4 to 8 at their own budgets, the full engine at a short one.
    for (const auto& [n, level] : {std::pair(0, "4"), std::pair(5, "5 --time 50"), std::pair(17, "6"),
                                   std::pair(33, "7"), std::pair(20, "8"), std::pair(10, "9 --time 50")}) {
        const CliRun run = cli("com " + GOLDEN + " --level " + level + " --move " + std::to_string(n));
        ASSERT_EQ(run.status, 0) << n;
        ASSERT_EQ(run.lines.size(), 1u);
        const Json& line = run.lines[0];
        EXPECT_EQ(number(line, "move"), n);
        const std::string board = std::get<std::string>(field(line, "board").value);
        const std::string other = board == "left" ? "right" : "left";
        EXPECT_TRUE(std::holds_alternative<std::nullptr_t>(field(line, other).value)) << n;
        const auto& from = std::get<std::vector<Json>>(field(field(line, board), "from").value);
        const auto& to = std::get<std::vector<Json>>(field(field(line, board), "to").value);
        // One of black's legal moves on that board.
        const SnapshotPair& s = record.snapshots.at(static_cast<size_t>(n));
        Position p = positionFromBoards(s.left, s.right, BLACK);
        bool legal = false;
        for (const DivideEntry& e : divide(p, 1)) {
            legal |= (e.move.board() == BoardId::LEFT) == (board == "left") &&
                     fileOf(e.move.from()) == std::get<double>(from[0].value) &&
                     rankOf(e.move.from()) == std::get<double>(from[1].value) &&
                     fileOf(e.move.to()) == std::get<double>(to[0].value) && rankOf(e.move.to()) == std::get<double>(to[1].value);
        }
        EXPECT_TRUE(legal) << n;
    }
    // The budget belongs to the engine levels only; levels 1 to 3 answer as before.
    EXPECT_EQ(cli("com " + GOLDEN + " --level 3 --time 50").status, 2);
    EXPECT_EQ(cli("com " + GOLDEN + " --level 13").status, 2);
    EXPECT_EQ(cli("com " + GOLDEN + " --level 4 --time 0").status, 2);
}

TEST(MatchCli, GamesFromSeededOpeningsAndASummaryThatAddsUp) {
    const CliRun run = cli("match --white 1 --black 3 --games 4 --seed 7");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 5u);
    int white = 0, black = 0, drawn = 0;
    for (size_t i = 0; i < 4; ++i) {
        const Json& game = run.lines[i];
        EXPECT_EQ(number(game, "game"), i);
        EXPECT_GT(number(game, "moves"), 4);  // the opening's random plies, then play
        const std::string winner = std::get<std::string>(field(game, "winner").value);
        (winner == "white" ? white : winner == "black" ? black : drawn) += 1;
    }
    const Json& summary = run.lines[4];
    EXPECT_EQ(number(summary, "white"), 1);
    EXPECT_EQ(number(summary, "black"), 3);
    EXPECT_EQ(number(summary, "games"), 4);
    EXPECT_EQ(number(summary, "whiteWins"), white);
    EXPECT_EQ(number(summary, "blackWins"), black);
    EXPECT_EQ(number(summary, "draws"), drawn);
    // The same seed plays the same games; another seed other openings.
    EXPECT_EQ(cli("match --white 1 --black 3 --games 4 --seed 7").lines.size(), 5u);
    const CliRun again = cli("match --white 1 --black 3 --games 4 --seed 7");
    const CliRun other = cli("match --white 1 --black 3 --games 4 --seed 8");
    bool differs = false;
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(number(again.lines[i], "moves"), number(run.lines[i], "moves"));
        differs |= number(other.lines[i], "moves") != number(run.lines[i], "moves");
    }
    EXPECT_TRUE(differs);
    // The engine on either side, with a short budget of its own.
    for (const char* sides : {"--white 4 --black 1 --white-time 5", "--white 2 --black 4 --black-time 5"}) {
        const CliRun engine = cli(std::string("match ") + sides + " --games 1 --seed 3");
        ASSERT_EQ(engine.status, 0) << sides;
        EXPECT_EQ(engine.lines.size(), 2u);
    }
    // The rungs below the full engine play by depth and nodes, with chance
    // choices drawn from the seed: the same seed, the very same games.
    const CliRun rungs = cli("match --white 5 --black 4 --games 3 --seed 11");
    ASSERT_EQ(rungs.status, 0);
    ASSERT_EQ(rungs.lines.size(), 4u);
    EXPECT_EQ(cli("match --white 5 --black 4 --games 3 --seed 11").text, rungs.text);
    EXPECT_NE(cli("match --white 5 --black 4 --games 3 --seed 12").text, rungs.text);
    // White's Elo difference and its margin, from the counts of the summary.
    const double points = number(summary, "whiteWins") + number(summary, "draws") / 2;
    const double elo = number(summary, "elo");
    if (points == 2) {
        EXPECT_EQ(elo, 0);
    }
    EXPECT_EQ(elo > 0, points > 2);
    EXPECT_EQ(elo < 0, points < 2);
    EXPECT_GE(number(summary, "eloError"), 0);
    // Bad command lines: one message, status 2.
    EXPECT_EQ(cli("match --white 1 --games 1 --seed 1").status, 2);                     // no black level
    EXPECT_EQ(cli("match --white 1 --black 13 --games 1 --seed 1").status, 2);          // no such level
    EXPECT_EQ(cli("match --white 1 --black 2 --games 1 --seed 1 --time 50").status, 2);  // no engine to time
    EXPECT_EQ(cli("match --white 1 --black 2 --seed 1").status, 2);                     // no game count
}

TEST(PerftCli, RefusesBadCommandLines) {
    EXPECT_EQ(perftCli(GOLDEN).status, 2);                        // no depth
    EXPECT_EQ(perftCli(GOLDEN + " --depth 0").status, 2);         // out of range
    EXPECT_EQ(perftCli(GOLDEN + " --depth 2 --all").status, 2);   // one position only
    EXPECT_EQ(perftCli(GOLDEN + " --depth 1 --move 9999").status, 2);
}

}  // namespace
}  // namespace velmora::engine
