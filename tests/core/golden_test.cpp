// velmora-cli against reference answers of an independent implementation, and
// its behaviour on bad input.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "json_value.h"
#include "test_support.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::Json;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun runCli(const std::string& args) {
    const testing::ScratchFolder scratch;
    const fs::path errFile = scratch / "stderr";
    const std::string command = std::string(VELMORA_CLI) + " " + args + " 2>'" + errFile.string() + "'";
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 65536> buffer;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = testing::readBytes(errFile);
    return run;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

std::string golden(const std::string& name) { return std::string(VELMORA_GOLDEN_DIR) + "/" + name; }

struct GoldenCase {
    const char* name;
    const char* args;
    const char* expected;
};

class GoldenAnswers : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenAnswers, AgreeLineByLine) {
    const GoldenCase& c = GetParam();
    const CliRun run = runCli(std::string(c.args) + " '" + golden("play.棋譜") + "' --all");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto mine = lines(run.out);
    const auto theirs = lines(testing::readBytes(golden(c.expected)));
    ASSERT_EQ(mine.size(), theirs.size());
    for (size_t i = 0; i < mine.size(); ++i) {
        const std::string d = testing::difference(Json::parse(mine[i]), Json::parse(theirs[i]), 1e-6);
        EXPECT_EQ(d, "") << "position " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, GoldenAnswers,
    ::testing::Values(GoldenCase{"survey", "survey", "expected-survey.jsonl"},
                      GoldenCase{"moves_white", "moves --side white", "expected-moves-white.jsonl"},
                      GoldenCase{"moves_black", "moves --side black", "expected-moves-black.jsonl"},
                      GoldenCase{"com_level1", "com --level 1", "expected-com1.jsonl"},
                      GoldenCase{"com_level2", "com --level 2", "expected-com2.jsonl"},
                      GoldenCase{"com_level3", "com --level 3", "expected-com3.jsonl"}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

// The survey and move answers hold only whole numbers: beyond agreeing, they
// are the reference answers byte for byte, layout included.
TEST(Cli, SurveyAndMoveAnswersAreTheReferenceBytes) {
    for (const auto& [args, expected] : {std::pair{"survey", "expected-survey.jsonl"},
                                         std::pair{"moves --side white", "expected-moves-white.jsonl"},
                                         std::pair{"moves --side black", "expected-moves-black.jsonl"}}) {
        const CliRun run = runCli(std::string(args) + " '" + golden("play.棋譜") + "' --all");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.out == testing::readBytes(golden(expected))) << args;
    }
}

// The computer's choices on the self-play corpus, as this program made them
// when the corpus was recorded. None of these positions has a reference
// answer (those cover only the 51 positions of play.棋譜), so this guards
// against change, not error: any change to the search or the evaluation that
// alters a decision or its score shows here.
TEST(Cli, ComputerChoicesOnTheCorpusStayTheSame) {
    const std::string dir = VELMORA_CORPUS_DIR;
    const CliRun run = runCli("com '" + dir + "/selfplay.棋譜' --all --level 3");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto mine = lines(run.out);
    const auto recorded = lines(testing::readBytes(dir + "/expected-com3.jsonl"));
    ASSERT_EQ(mine.size(), recorded.size());
    for (size_t i = 0; i < mine.size(); ++i) EXPECT_EQ(mine[i], recorded[i]) << "position " << i;
}

TEST(Cli, MoveOptionPicksOneLineAndDefaultsToTheLast) {
    const CliRun last = runCli("survey '" + golden("play.棋譜") + "'");
    const CliRun fifty = runCli("survey '" + golden("play.棋譜") + "' --move 50");
    ASSERT_EQ(last.status, 0);
    EXPECT_EQ(lines(last.out).size(), 1u);
    EXPECT_EQ(last.out, fifty.out);
    EXPECT_EQ(Json::parse(lines(last.out)[0]).value.index(), 5u);  // an object
}

// Each golden position written as text and given back with --position gets
// the reference answers byte for byte: the text holds all the answers depend on.
TEST(Cli, PositionTextsOfTheGoldenRecordGetTheReferenceAnswers) {
    const CliRun texts = runCli("position '" + golden("play.棋譜") + "' --all");
    ASSERT_EQ(texts.status, 0) << texts.err;
    const auto positions = lines(texts.out);
    ASSERT_EQ(positions.size(), 51u);
    EXPECT_EQ(runCli("position '" + golden("play.棋譜") + "'").out, positions.back() + "\n");
    for (const auto& [args, expected] : {std::pair{"survey", "expected-survey.jsonl"},
                                         std::pair{"moves --side white", "expected-moves-white.jsonl"},
                                         std::pair{"moves --side black", "expected-moves-black.jsonl"},
                                         std::pair{"com --level 1", "expected-com1.jsonl"},
                                         std::pair{"com --level 2", "expected-com2.jsonl"},
                                         std::pair{"com --level 3", "expected-com3.jsonl"}}) {
        const auto answers = lines(testing::readBytes(golden(expected)));
        for (size_t n = 0; n < positions.size(); ++n) {
            const CliRun run = runCli(std::string(args) + " --position '" + positions[n] + "'");
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.out, answers[n] + "\n") << args << " position " << n;
        }
    }
    // show draws the same boards as from the record.
    EXPECT_EQ(runCli("show --position '" + positions[7] + "'").out,
              runCli("show '" + golden("play.棋譜") + "' --move 7").out);
    // Without --side, moves and perft take the text's side to move.
    const std::string& last = positions.back();
    const char side = last[last.size() - 4];
    ASSERT_TRUE(side == 'w' || side == 'b') << last;
    const std::string named = side == 'w' ? "white" : "black";
    EXPECT_EQ(runCli("moves --position '" + last + "'").out, runCli("moves --side " + named + " --position '" + last + "'").out);
    const CliRun perft = runCli("perft --depth 1 --position '" + last + "'");
    EXPECT_NE(perft.out.find("\"side\": \"" + named + "\""), std::string::npos) << perft.out;
}

// analyse --position: one line, the position's score for its side to move and the line.
TEST(Cli, AnalysingAPositionGivesItsScoreAndLine) {
    const CliRun rook = runCli("analyse --time 100 --position '4k3/8/8/8/8/8/8/4R1K1 4k3/8/8/8/8/8/8/4K3 w 7'");
    ASSERT_EQ(rook.status, 0) << rook.err;
    ASSERT_EQ(lines(rook.out).size(), 1u);
    EXPECT_EQ(lines(rook.out)[0],
              R"({"move": 7, "toMove": "white", "score": {"kingFallIn": 1, "for": "first"}, "depth": 1, )"
              R"("best": "左 ｅ１×ｅ８ ルーク（右×）", "line": ["左 ｅ１×ｅ８ ルーク（右×）"], "budgetMs": 100})");
}

// match --position: every game starts from the position, with its side to move.
TEST(Cli, MatchGamesStartFromTheGivenPosition) {
    // White's rook takes black's king along the a-file at once; with black to
    // move, black's rook takes white's king first.
    const CliRun white = runCli("match --white 1 --black 1 --games 2 --seed 1 --position 'k7/8/8/8/8/8/8/R6K k7/8/8/8/8/8/8/7K w 0'");
    ASSERT_EQ(white.status, 0) << white.err;
    EXPECT_EQ(lines(white.out)[0], R"({"game": 0, "white": 1, "black": 1, "moves": 1, "winner": "white", "reason": "took a king"})");
    EXPECT_NE(white.out.find("\"whiteWins\": 2"), std::string::npos);
    const CliRun black = runCli("match --white 1 --black 3 --games 1 --seed 1 --position 'k7/8/8/8/8/8/8/6K1 k7/8/8/8/8/8/8/r6K b 0'");
    ASSERT_EQ(black.status, 0) << black.err;
    EXPECT_EQ(lines(black.out)[0], R"({"game": 0, "white": 1, "black": 3, "moves": 1, "winner": "black", "reason": "took a king"})");
}

TEST(Cli, ShowPrintsBothBoardsWithTheGameLabels) {
    const CliRun run = runCli("show '" + golden("play.棋譜") + "' --move 0");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("ａｂｃｄｅｆｇｈ"), std::string::npos);
    EXPECT_NE(run.out.find("８ ♜"), std::string::npos);  // rank 1 (black's back rank) reads ８
    EXPECT_EQ(lines(run.out).size(), 10u);
}

class TempFiles : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& content) {
        scratch.write(name, content);
        return "'" + (dir / name).string() + "'";
    }
    testing::ScratchFolder scratch;
    const fs::path dir = scratch.path;
};

TEST_F(TempFiles, BadInputIsAOneLineErrorWithStatusTwo) {
    const std::string good(512, ' ');
    std::string outOfRange = good;
    outOfRange.replace(20, 4, "  17");
    const struct {
        std::string args;
        std::string mention;
    } cases[] = {
        {"survey " + write("missing-dir/none.棋譜", ""), "cannot open"},
        {"survey " + write("header.棋譜", "t\r\nb\r\nw\r\n"), ":4: no snapshot line"},
        {"moves --side white " + write("short.棋譜", "t\nb\nw\n" + good + "\n" + good.substr(1) + "\n"), ":5:"},
        {"com " + write("range.棋譜", "t\nb\nw\n" + outOfRange + "\n"), ":4: field 6"},
        {"survey " + write("one.棋譜", "t\nb\nw\n" + good + "\n") + " --move 1", "--move 1 is outside"},
        {"survey " + write("neg.棋譜", "t\nb\nw\n" + good + "\n") + " --move -1", "--move -1 is out of range"},
        {"castle " + write("x.棋譜", ""), "unknown command"},
        {"survey " + write("y.棋譜", "") + " --fast", "unknown option"},
        {"moves " + write("z.棋譜", "t\nb\nw\n" + good + "\n"), "--side"},
        {"com " + write("w.棋譜", "") + " --level 13", "--level"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_TRUE(run.out.empty()) << c.args;
        EXPECT_NE(run.err.find(c.mention), std::string::npos) << c.args << " -> " << run.err;
        EXPECT_EQ(run.err.find("velmora-cli: "), 0u) << run.err;
    }
}

// Whatever is wrong, the answer is one escaped line on stderr and status 2.
TEST_F(TempFiles, EveryBadInvocationIsOneEscapedLine) {
    std::string nul(512, ' ');
    nul.replace(8, 4, std::string("  \0", 3) + "5");
    const std::string play = "'" + golden("play.棋譜") + "'";
    ASSERT_EQ(::mkfifo((dir / "pipe.棋譜").c_str(), 0644), 0);
    const struct {
        std::string args;
        std::string message;  // the whole line, after "velmora-cli: "
    } cases[] = {
        {"", "no command given; velmora-cli --help lists them"},
        {"survey", "survey needs a record file"},
        {"moves " + play, "moves needs --side white|black"},
        {"survey " + play + " --move 99999999999", "--move 99999999999 is out of range (0 to 1000000)"},
        {"survey " + play + " --move 5x", "--move needs a number from 0 to 1000000, not '5x'"},
        {"survey " + play + " --move 1 --move 2", "--move is given more than once"},
        {"moves " + play + " --side white --side black", "--side is given more than once"},
        {"survey " + play + " " + play, "one record file only, not also '"},
        {"survey " + play + " --position x", "a record file or --position, not both"},
        {"survey --position '8/8/8/8/8/8/8/8 8/8/8/8/8/8/8/8 w 0' --move 0", "--move and --all pick positions of a record file"},
        {"survey --position 'rnbqx'", "--position: left board, character 5: not a piece letter"},
        {"position --position x", "unknown option '--position' for position"},
        {"selfplay --seed 1", "selfplay needs --games N"},
        {"selfplay --games 1", "selfplay needs --seed S"},
        {"selfplay --games 0 --seed 1", "--games 0 is out of range (1 to 100)"},
        {"survey " + write("nul.棋譜", "t\nb\nw\n" + nul + "\n"), "field 3 (\"  \\x005\") holds no number"},
        {"survey '" + (dir / "a\rb\x82\xa0.kif").string() + "'", "a\\x0db\\x82\\xa0.kif: cannot open"},
        {"survey /dev/zero", "/dev/zero: cannot read: not a regular file"},
        {"survey '" + (dir / "pipe.棋譜").string() + "'", ": cannot read: not a regular file"},
        {"survey " + play + " --all >/dev/full", "cannot write the output: No space left on device"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_TRUE(run.out.empty()) << c.args;
        ASSERT_FALSE(run.err.empty()) << c.args;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_EQ(run.err.find("velmora-cli: "), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << " -> " << run.err;
        for (const char ch : run.err.substr(0, run.err.size() - 1)) {
            EXPECT_TRUE(ch >= 0x20 && ch < 0x7f) << run.err;
        }
    }
}

TEST_F(TempFiles, HelpAloneGoesToStdoutAndAFileSizeLimitIsAnError) {
    const CliRun help = runCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.find("usage: velmora-cli"), 0u);
    EXPECT_TRUE(help.err.empty());
    // Under a 1-block size limit the output fails with a message instead of SIGXFSZ.
    const std::string out = (dir / "out.jsonl").string();
    const CliRun limited = runCli("--help >/dev/null; ulimit -f 1; " + std::string(VELMORA_CLI) + " survey '" +
                                  golden("play.棋譜") + "' --all >'" + out + "'");
    EXPECT_EQ(limited.status, 2);
    EXPECT_EQ(limited.err, "velmora-cli: cannot write the output: File too large\n");
}

TEST_F(TempFiles, SelfplayWritesARecordTheOtherCommandsRead) {
    const std::string out = (dir / "corpus.棋譜").string();
    const CliRun run = runCli("selfplay --games 2 --seed 5 --level 2 --out '" + out + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(lines(run.out).size(), 2u);
    const CliRun again = runCli("selfplay --games 2 --seed 5 --level 2");
    EXPECT_EQ(again.out, run.out);  // the same seed plays the same games
    const CliRun show = runCli("com '" + out + "' --all");
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_GT(lines(show.out).size(), 2u);
}

}  // namespace
}  // namespace velmora
