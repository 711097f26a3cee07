// velmora-cli match with a side played by another program: the program is
// asked through its `com` command on a record of the position, its moves are
// played for either colour, and a program that fails or answers nonsense
// ends the match with one line and status 1.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <thread>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/program_player.h"
#include "json_value.h"
#include "record/record_file.h"

extern char** environ;

namespace velmora::cli {
namespace {

using velmora::testing::Json;
namespace fs = std::filesystem;

struct MatchRun {
    int status = -1;
    std::vector<std::string> out;
    std::vector<std::string> err;
};

std::vector<std::string> lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

class MatchProgram : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("velmora-match-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    MatchRun match(const std::string& args) {
        const std::string out = (dir_ / "out.txt").string(), err = (dir_ / "err.txt").string();
        const std::string command = std::string(VELMORA_CLI) + " match " + args + " >'" + out + "' 2>'" + err + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, lines(out), lines(err)};
    }

    // A shell script standing in for the other program.
    std::string script(const std::string& name, const std::string& body) {
        const fs::path path = dir_ / name;
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }

    fs::path dir_;
};

const std::string& text(const Json& j, const std::string& key) {
    return std::get<std::string>(std::get<std::map<std::string, Json>>(j.value).at(key).value);
}
double number(const Json& j, const std::string& key) {
    return std::get<double>(std::get<std::map<std::string, Json>>(j.value).at(key).value);
}

using SteadyTime = std::chrono::steady_clock;

double secondsSince(SteadyTime::time_point start) { return std::chrono::duration<double>(SteadyTime::now() - start).count(); }

// A process that still runs: one that exists and is not a zombie waiting
// for a parent to reap it.
bool running(pid_t pid) {
    if (::kill(pid, 0) != 0) return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const size_t close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'Z';
}

// The pids a script wrote to a file, one a line.
std::vector<pid_t> pids(const fs::path& file) {
    std::vector<pid_t> out;
    for (const std::string& line : lines(file.string())) out.push_back(std::stoi(line));
    return out;
}

// Waits up to a few seconds for every one of them to be gone (a SIGKILL
// takes effect soon, not at once); the pids still running.
std::vector<pid_t> leftRunning(const std::vector<pid_t>& all) {
    std::vector<pid_t> left = all;
    for (int k = 0; k < 100 && !left.empty(); ++k) {
        std::erase_if(left, [](pid_t pid) { return !running(pid); });
        if (!left.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return left;
}

// velmora-cli match started in the background, its private folders made
// in `temporaries`; the caller waits for it.
pid_t startMatch(const std::vector<std::string>& args, const fs::path& temporaries, const fs::path& err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words = {VELMORA_CLI, "match"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = {"TMPDIR=" + temporaries.string()};
    for (char** e = environ; *e; ++e) {
        if (!std::string_view(*e).starts_with("TMPDIR=")) environment.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    // The signals at their defaults whatever the test runner left them at.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGHUP);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    if (::posix_spawn(&pid, VELMORA_CLI, &actions, &attributes, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return pid;
}

// The names in `folder` that start with "velmora-match-".
std::vector<std::string> privateFolders(const fs::path& folder) {
    std::vector<std::string> out;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        if (e.path().filename().string().starts_with("velmora-match-")) out.push_back(e.path().string());
    }
    return out;
}

// The program plays each colour in turn: as white it answers for the
// reversed boards, and every move it gives must turn back into one of
// white's, or the match would stop with status 1.
TEST_F(MatchProgram, PlaysWholeGamesForEitherColour) {
    const std::string cli = VELMORA_CLI;
    for (const std::string& sides : {"--white 4 --black-program " + cli, "--white-program " + cli + " --black 4"}) {
        const MatchRun run = match(sides + " --games 1 --seed 7 --time 20");
        ASSERT_EQ(run.status, 0) << sides << ": " << (run.err.empty() ? "" : run.err[0]);
        EXPECT_TRUE(run.err.empty());
        ASSERT_EQ(run.out.size(), 2u);
        const Json game = Json::parse(run.out[0]);
        EXPECT_EQ(text(game, "reason"), "took a king") << run.out[0];
        EXPECT_GT(number(game, "moves"), 4);
        const Json summary = Json::parse(run.out[1]);
        EXPECT_EQ(number(summary, "games"), 1);
        EXPECT_EQ(text(summary, sides.starts_with("--white 4") ? "black" : "white"), cli);
    }
}

// Under a clock each game says the time both sides had left, and the summary
// the losses on time; levels 1-3 and 4-9 both play on it. A control so
// short that even the least budgets do not fit makes a side lose on time.
TEST_F(MatchProgram, PlaysOnClocksAndCountsTheLossesOnTime) {
    const MatchRun run = match("--white 4 --black 3 --games 2 --seed 5 --time-control 0.2+0.5");
    ASSERT_EQ(run.status, 0) << (run.err.empty() ? "" : run.err[0]);
    ASSERT_EQ(run.out.size(), 3u);
    for (int k = 0; k < 2; ++k) {
        const Json game = Json::parse(run.out[static_cast<size_t>(k)]);
        EXPECT_NE(text(game, "reason"), "time") << run.out[static_cast<size_t>(k)];
        EXPECT_GT(number(game, "whiteLeftMs"), 0);
        EXPECT_GT(number(game, "blackLeftMs"), 0);
    }
    const Json summary = Json::parse(run.out[2]);
    EXPECT_EQ(text(summary, "timeControl"), "0.2+0.5");
    EXPECT_EQ(number(summary, "timeLosses"), 0);
    EXPECT_GT(number(summary, "leastLeftMs"), 0);
    // A millisecond each: white's first search already outlasts it.
    const MatchRun flagged = match("--white 9 --black 3 --games 1 --seed 5 --time-control 0.00002+0");
    ASSERT_EQ(flagged.status, 0);
    const Json lost = Json::parse(flagged.out[0]);
    EXPECT_EQ(text(lost, "winner"), "black");
    EXPECT_EQ(text(lost, "reason"), "time");
    EXPECT_EQ(number(Json::parse(flagged.out[1]), "timeLosses"), 1);
    // A match without clocks prints no clock figures.
    const MatchRun plain = match("--white 4 --black 3 --games 1 --seed 5");
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out[0].find("LeftMs"), std::string::npos);
    EXPECT_EQ(plain.out[1].find("timeLosses"), std::string::npos);
}

// The program is called as `PATH com RECORD --level L --time MS` on a record
// of one position with black to move, which is gone after the move.
TEST_F(MatchProgram, HandsTheProgramARecordOfThePositionAndRemovesIt) {
    const std::string log = (dir_ / "calls.txt").string();
    const std::string copy = (dir_ / "first.棋譜").string();
    const std::string program = script("logging.sh", "echo \"$@\" >> '" + log + "'\n[ -e '" + copy + "' ] || cp \"$2\" '" +
                                                         copy + "'\nexec " + VELMORA_CLI + " \"$@\"");
    const MatchRun run = match("--white 4 --black-program " + program + " --games 1 --seed 7 --time 30 --black-time 15");
    ASSERT_EQ(run.status, 0) << (run.err.empty() ? "" : run.err[0]);
    const std::vector<std::string> calls = lines(log);
    ASSERT_FALSE(calls.empty());
    std::istringstream words(calls[0]);
    std::string command, record, level, nine, time, ms;
    words >> command >> record >> level >> nine >> time >> ms;
    EXPECT_EQ(command, "com");
    EXPECT_EQ(level + " " + nine + " " + time + " " + ms, "--level 12 --time 15");
    EXPECT_FALSE(fs::exists(record)) << record;
    EXPECT_FALSE(fs::exists(fs::path(record).parent_path())) << record;
    RecordFile first;
    std::string error;
    ASSERT_TRUE(readRecordFileStrict(copy, first, error)) << error;
    ASSERT_EQ(first.snapshots.size(), 1u);
    // The position the game reached, not an empty or starting record: black
    // is asked only while both its kings stand, and nothing took a white one.
    int kings = 0;
    for (const Board* b : {&first.snapshots[0].left, &first.snapshots[0].right}) {
        for (int f = 1; f <= 8; ++f) {
            for (int r = 1; r <= 8; ++r) kings += b->at(f, r) == BLACK_KING || b->at(f, r) == WHITE_KING;
        }
    }
    EXPECT_EQ(kings, 4);
}

TEST_F(MatchProgram, AProgramThatFailsOrAnswersNonsenseEndsTheMatch) {
    const struct {
        std::string body;
        std::string message;  // what the one line on stderr says after the program's name
    } cases[] = {
        {"echo 'it broke' >&2; exit 3", ": exited with status 3: it broke"},
        {"echo 'thinking...'", ": answered no JSON line: 'thinking...'"},
        {"echo '{\"move\": 0, \"left\": null, \"right\": null, \"board\": \"middle\"}'",
         ": answered a board that is neither left nor right"},
        // A black pawn cannot jump from a1 to h8.
        {"echo '{\"move\": 0, \"left\": {\"score\": 0.0, \"from\": [1, 1], \"to\": [8, 8], \"placedPiece\": 1, "
         "\"movingPiece\": 1}, \"right\": null, \"board\": \"left\"}'",
         ": answered left 11-88 placing 1, which is no move of black here"},
        {"echo '{\"move\": 0, \"left\": null, \"right\": null, \"board\": null}'", ": answered no move, but black has"},
        {"kill -9 $$", ": ended by signal 9"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string program = script("bad" + std::to_string(n++) + ".sh", c.body);
        const MatchRun run = match("--white 4 --black-program " + program + " --games 3 --seed 7 --time 10");
        EXPECT_EQ(run.status, 1) << c.body;
        ASSERT_EQ(run.err.size(), 1u) << c.body;
        EXPECT_TRUE(run.err[0].starts_with("velmora-cli: game 0: " + program + c.message)) << run.err[0];
        EXPECT_TRUE(run.out.empty()) << c.body;  // no summary of a match that did not finish
    }
    const MatchRun missing = match("--white-program " + (dir_ / "none").string() + " --black 4 --games 1 --seed 1 --time 10");
    EXPECT_EQ(missing.status, 1);
    ASSERT_EQ(missing.err.size(), 1u);
    EXPECT_NE(missing.err[0].find("cannot run it: No such file or directory"), std::string::npos) << missing.err[0];
}

// A program that never answers is killed after the limit (twice the budget
// of at least a second, and 30 s more) together with what it started: its
// group goes, not only the program.
TEST_F(MatchProgram, ASilentProgramIsEndedWithEverythingItStarted) {
    const fs::path leaders = dir_ / "leaders", children = dir_ / "children";
    const std::string program = script("silent.sh", "sleep 1000 &\necho $! >> '" + children.string() + "'\necho $$ >> '" +
                                                        leaders.string() + "'\nwait");
    const auto start = SteadyTime::now();
    const MatchRun run = match("--white 4 --black-program " + program + " --games 1 --seed 7 --time 1");
    const double seconds = secondsSince(start);
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.err.size(), 1u);
    EXPECT_EQ(run.err[0], "velmora-cli: game 0: " + program + ": gave no answer within 32 s");
    EXPECT_GE(seconds, 31.5);
    EXPECT_LT(seconds, 40);
    const std::vector<pid_t> started = pids(leaders), left = pids(children);
    ASSERT_EQ(started.size(), 1u);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(leftRunning({started[0], left[0]}).empty());
}

// A program that answers and exits, leaving behind a child that holds its
// output open: the answer counts at the program's exit, not when the child
// lets go of the pipe (here after 100 s, past the limit), and the child is
// ended with the program's group.
TEST_F(MatchProgram, AnAnswerCountsWhenTheProgramExitsThoughItsChildHoldsTheOutput) {
    const fs::path children = dir_ / "children";
    const std::string program = script("leaving.sh", "sleep 100 &\necho $! >> '" + children.string() + "'\nexec " +
                                                         std::string(VELMORA_CLI) + " \"$@\"");
    const auto start = SteadyTime::now();
    const MatchRun run = match("--white 4 --black-program " + program + " --games 1 --seed 7 --time 20");
    const double seconds = secondsSince(start);
    ASSERT_EQ(run.status, 0) << (run.err.empty() ? "" : run.err[0]);
    ASSERT_EQ(run.out.size(), 2u);
    const std::vector<pid_t> left = pids(children);
    ASSERT_FALSE(left.empty());
    // Each answer about as fast as the program's own: a whole game in far
    // less than one wait for the limit.
    EXPECT_LT(seconds, 20) << left.size() << " answers";
    EXPECT_TRUE(leftRunning(left).empty());
}

// SIGTERM, SIGINT or SIGHUP to a match waiting for a program: the program and its
// group are ended, the private folder is removed, and the match ends by
// that signal, at once.
TEST_F(MatchProgram, ASignalEndsTheMatchWithoutLeavingTheProgramOrItsFolder) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const fs::path temporaries = dir_ / ("tmp" + std::to_string(signal));
        fs::create_directories(temporaries);
        const fs::path leaders = dir_ / ("leaders" + std::to_string(signal));
        const fs::path children = dir_ / ("children" + std::to_string(signal));
        const fs::path folders = dir_ / ("folders" + std::to_string(signal));
        const std::string program = script("waiting" + std::to_string(signal) + ".sh",
                                           "dirname \"$2\" >> '" + folders.string() + "'\nsleep 1000 &\necho $! >> '" +
                                               children.string() + "'\necho $$ >> '" + leaders.string() + "'\nwait");
        const pid_t cli = startMatch({"--white-program", program, "--black", "4", "--games", "1", "--seed", "7"}, temporaries,
                                     dir_ / "err.txt");
        ASSERT_GT(cli, 0);
        // Until the program has started its child and is waiting.
        for (int k = 0; k < 200 && lines(leaders.string()).empty(); ++k) std::this_thread::sleep_for(std::chrono::milliseconds(25));
        ASSERT_EQ(lines(leaders.string()).size(), 1u) << "the program was not asked";
        const std::vector<std::string> folder = lines(folders.string());
        ASSERT_EQ(folder.size(), 1u);
        EXPECT_TRUE(fs::is_directory(folder[0]));
        EXPECT_EQ(privateFolders(temporaries), folder);

        const auto start = SteadyTime::now();
        ASSERT_EQ(::kill(cli, signal), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(cli, &status, 0), cli);
        EXPECT_LT(secondsSince(start), 2.0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
        EXPECT_TRUE(leftRunning({pids(leaders)[0], pids(children)[0]}).empty());
        EXPECT_FALSE(fs::exists(folder[0]));
        EXPECT_TRUE(privateFolders(temporaries).empty());
        EXPECT_TRUE(lines((dir_ / "err.txt").string()).empty());
    }
}

TEST(MatchProgramAnswer, ReadsTheMoveOnTheChosenBoard) {
    const ProgramAnswer a = parseComAnswer(
        "{\"move\": 3, \"left\": {\"score\": 1.5, \"from\": [2, 7], \"to\": [2, 8], \"placedPiece\": 5, \"movingPiece\": "
        "1}, \"right\": {\"score\": 0.5, \"from\": [1, 1], \"to\": [1, 2], \"placedPiece\": 3, \"movingPiece\": 3}, "
        "\"board\": \"right\"}\n");
    ASSERT_TRUE(std::holds_alternative<ProgramMove>(a));
    const ProgramMove& m = std::get<ProgramMove>(a);
    EXPECT_EQ(m.board, BoardId::RIGHT);
    EXPECT_EQ(std::tuple(m.from, m.to, m.placed), std::tuple(Square{1, 1}, Square{1, 2}, BLACK_BISHOP));
    EXPECT_TRUE(std::holds_alternative<NoMove>(parseComAnswer("{\"move\": 0, \"left\": null, \"right\": null, \"board\": null}")));
    for (const char* bad : {"", "{}", "{\"left\": null, \"right\": null, \"board\": \"left\"}",
                            "{\"left\": {\"from\": [0, 1], \"to\": [1, 2], \"placedPiece\": 1}, \"right\": null, \"board\": \"left\"}",
                            "{\"left\": {\"from\": [1, 1], \"to\": [1, 2], \"placedPiece\": -1}, \"right\": null, \"board\": \"left\"}",
                            "{\"left\": {\"from\": [1, 1], \"to\": [1, 2.5], \"placedPiece\": 1}, \"right\": null, \"board\": \"left\"}",
                            "{\"left\": null, \"right\": null, \"board\": null} trailing", "[1, 2]\n[3]"}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(parseComAnswer(bad))) << bad;
    }
}

}  // namespace
}  // namespace velmora::cli
