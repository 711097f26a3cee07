// The command lines of both programs: the game refuses what is neither its
// own option nor one of Qt's with one line on stderr and status 2, while
// Qt's options and their values reach Qt; every value either program quotes
// back is escaped exactly once, so no control character reaches the terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Ran {
    int status = -1;
    std::string out, err;
};

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("velmora-command-line-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the program with exactly these arguments (no shell between), in
    // the scratch folder, with `extraEnvironment` ("NAME=value") added.
    Ran run(const std::string& program, const std::vector<std::string>& args,
            const std::vector<std::string>& extraEnvironment = {}) {
        const fs::path out = dir_ / "out.txt", err = dir_ / "err.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
        std::vector<std::string> words = {program};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        std::vector<std::string> environment = extraEnvironment;
        for (char** e = environ; *e; ++e) environment.emplace_back(*e);
        std::vector<char*> envp;
        for (std::string& e : environment) envp.push_back(e.data());
        envp.push_back(nullptr);
        pid_t pid = 0;
        Ran result;
        const int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) {
            ADD_FAILURE() << "cannot run " << program;
            return result;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = contents(out);
        result.err = contents(err);
        return result;
    }

    // The refusal the game gives for these arguments: status 2, nothing on
    // stdout, one line on stderr, returned without "velmora: " and its end.
    std::string refusal(const std::vector<std::string>& args) {
        const Ran r = run(VELMORA_PROGRAM, args, startAndEnd());
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_TRUE(r.err.starts_with("velmora: ")) << r.err;
        EXPECT_TRUE(r.err.ends_with("\n")) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        if (r.err.size() < 10) return r.err;
        return r.err.substr(9, r.err.size() - 10);
    }

    // A game that does start (where it should have refused) does so without
    // a display, reports its first frame and ends, its files in the scratch folder.
    std::vector<std::string> startAndEnd() const {
        return {"QT_QPA_PLATFORM=offscreen", "VELMORA_MEASURE_STARTUP=1", "XDG_CONFIG_HOME=" + dir_.string(),
                "XDG_DATA_HOME=" + dir_.string()};
    }

    fs::path dir_;
};

// Every byte of the line is printable ASCII: nothing the user typed can
// colour the terminal or start a line of its own.
void expectPrintable(const std::string& line) {
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_TRUE(byte >= 0x20 && byte < 0x7f) << "byte " << int(byte) << " in " << line;
    }
}

TEST_F(CommandLine, TheGameRefusesWhatIsNeitherItsOptionNorQts) {
    EXPECT_EQ(refusal({"--frobnicate"}), "unknown option '--frobnicate'; velmora --help lists the options");
    EXPECT_EQ(refusal({"-x"}), "unknown option '-x'; velmora --help lists the options");
    // A near miss of Qt's names is not taken for one.
    EXPECT_EQ(refusal({"-platforms", "offscreen"}), "unknown option '-platforms'; velmora --help lists the options");
    // The game's own options still check their values after a Qt option.
    EXPECT_EQ(refusal({"-platform", "offscreen", "--lang", "fr"}), "bad --lang 'fr': give ja (Japanese) or en (English)");
    EXPECT_EQ(refusal({"-platform"}), "-platform needs a value");
    EXPECT_EQ(refusal({"--lang", "en", "--help"}), "--help goes alone");
    EXPECT_EQ(refusal({"game.kif"}), "unexpected argument 'game.kif'; velmora takes options only (velmora --help)");
}

TEST_F(CommandLine, TheGameEscapesTheValuesItQuotes) {
    EXPECT_EQ(refusal({"--lang", "\x1b[31m"}), "bad --lang '\\x1b[31m': give ja (Japanese) or en (English)");
    EXPECT_EQ(refusal({"--time-control=5+0\nvelmora: fine"}),
              "bad --time-control '5+0\\x0avelmora: fine': give MIN+INC, minutes above 0 and at most 180, "
              "seconds 0 to 60 (e.g. 5+0 or 0.5+2)");
    EXPECT_EQ(refusal({"--x\r\x7f\\"}), "unknown option '--x\\x0d\\x7f\\\\'; velmora --help lists the options");
    // Non-ASCII bytes too, one escape each.
    EXPECT_EQ(refusal({"棋"}), "unexpected argument '\\xe6\\xa3\\x8b'; velmora takes options only (velmora --help)");
    const Ran r = run(VELMORA_PROGRAM, {"--bell\a\x1b]0;title\x07"}, startAndEnd());
    expectPrintable(r.err.substr(0, r.err.size() - 1));
}

// Qt's documented options reach Qt, their values skipped by the game's own
// parsing (a window title of "--lang" is a title). The game starts, reports
// its first frame and ends.
TEST_F(CommandLine, QtsOptionsAndTheirValuesPassThrough) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-platform", "offscreen"},
          std::vector<std::string>{"--platform", "offscreen", "-style", "Fusion", "-reverse", "-qwindowtitle", "--lang",
                                   "--lang", "en", "-widgetcount"},
          std::vector<std::string>{"-style=Fusion", "-qwindowgeometry", "640x400+0+0", "-platform", "offscreen",
                                   "--time-control", "5+0"}}) {
        std::vector<std::string> environment = startAndEnd();
        environment.erase(environment.begin());  // the platform comes from the command line
        const Ran r = run(VELMORA_PROGRAM, args, environment);
        EXPECT_EQ(r.status, 0) << args[0] << " " << args[1] << ": " << r.err;
        EXPECT_NE(r.out.find("first_frame_epoch_ns="), std::string::npos) << r.out;
        EXPECT_EQ(r.err.find("unknown option"), std::string::npos) << r.err;
    }
}

// velmora-cli escapes a bad value in its one line once: the backslash of an
// escape is not escaped again.
TEST_F(CommandLine, TheCommandLineToolEscapesAValueOnce) {
    const struct {
        std::vector<std::string> args;
        std::string line;
    } cases[] = {
        {{"match", "--white", "4", "--black", "4", "--games", "1", "--seed", "1", "--time-control", "\x1b[31m"},
         "velmora-cli: bad --time-control '\\x1b[31m': give MIN+INC, minutes above 0 and at most 180, seconds 0 to 60\n"},
        {{"show", "x.kif", "--x\n"}, "velmora-cli: unknown option '--x\\x0a' for show\n"},
        {{"survey", "back\\slash.kif"}, "velmora-cli: back\\\\slash.kif: cannot open"},
    };
    for (const auto& c : cases) {
        const Ran r = run(VELMORA_CLI, c.args);
        EXPECT_EQ(r.status, 2) << c.line;
        EXPECT_TRUE(r.err.starts_with(c.line)) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        expectPrintable(r.err.substr(0, r.err.size() - 1));
    }
}

}  // namespace
