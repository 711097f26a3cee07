#include "cli/program_player.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "record/record_file.h"

extern char** environ;

namespace velmora::cli {
namespace {

// Just enough JSON for `com`'s answer: objects, arrays, numbers, strings
// without escapes, null. Anything else fails the parse.
struct Value {
    enum class Kind { Null, Number, String, Array, Object } kind = Kind::Null;
    double number = 0;
    std::string text;
    std::vector<Value> items;
    std::map<std::string, Value> members;
};

class Reader {
public:
    explicit Reader(const std::string& t) : t_(t) {}

    bool document(Value& v) {
        if (!value(v, 0)) return false;
        space();
        return i_ == t_.size();
    }

private:
    void space() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\n' || t_[i_] == '\r')) ++i_;
    }
    bool take(char c) {
        space();
        if (i_ < t_.size() && t_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool string(std::string& out) {
        if (!take('"')) return false;
        const size_t end = t_.find('"', i_);
        if (end == std::string::npos) return false;
        out = t_.substr(i_, end - i_);
        if (out.find('\\') != std::string::npos) return false;
        i_ = end + 1;
        return true;
    }
    bool value(Value& v, int nesting) {
        if (nesting > 8) return false;
        space();
        if (i_ >= t_.size()) return false;
        const char c = t_[i_];
        if (c == '{') {
            ++i_;
            v.kind = Value::Kind::Object;
            if (take('}')) return true;
            do {
                std::string key;
                if (!string(key) || !take(':') || !value(v.members[key], nesting + 1)) return false;
            } while (take(','));
            return take('}');
        }
        if (c == '[') {
            ++i_;
            v.kind = Value::Kind::Array;
            if (take(']')) return true;
            do {
                v.items.emplace_back();
                if (!value(v.items.back(), nesting + 1)) return false;
            } while (take(','));
            return take(']');
        }
        if (c == '"') {
            v.kind = Value::Kind::String;
            return string(v.text);
        }
        if (t_.compare(i_, 4, "null") == 0) {
            i_ += 4;
            return true;
        }
        const char* begin = t_.c_str() + i_;
        char* end = nullptr;
        v.number = std::strtod(begin, &end);
        if (end == begin) return false;
        v.kind = Value::Kind::Number;
        i_ += static_cast<size_t>(end - begin);
        return true;
    }

    const std::string& t_;
    size_t i_ = 0;
};

const Value* member(const Value& object, const std::string& key) {
    const auto it = object.members.find(key);
    return it == object.members.end() ? nullptr : &it->second;
}

// A whole number within [low, high].
std::optional<int> whole(const Value* v, int low, int high) {
    if (!v || v->kind != Value::Kind::Number || v->number != static_cast<int>(v->number)) return std::nullopt;
    const int n = static_cast<int>(v->number);
    if (n < low || n > high) return std::nullopt;
    return n;
}

std::optional<Square> square(const Value* v) {
    if (!v || v->kind != Value::Kind::Array || v->items.size() != 2) return std::nullopt;
    const std::optional<int> file = whole(&v->items[0], 1, 8);
    const std::optional<int> rank = whole(&v->items[1], 1, 8);
    if (!file || !rank) return std::nullopt;
    return Square{*file, *rank};
}

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (line.size() > 200) line = line.substr(0, 200) + "...";
    return line;
}

std::string readSmallFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text(4096, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

// The signal that asked the match to end, and a pipe written when it came:
// the wait for a program's answer watches it, so a signal arriving at any
// moment (even just before the wait begins) ends the wait at once.
volatile std::sig_atomic_t endSignalSeen = 0;
std::atomic<bool> endFlag{false};
int wakeEnds[2] = {-1, -1};

void onEndSignal(int signal) {
    const int saved = errno;
    endSignalSeen = signal;
    endFlag.store(true);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeEnds[1], &byte, 1);
    errno = saved;
}

struct Spawned {
    std::string out;
    std::string failure;  // empty when the program ran and exited with status 0
};

// Whether the process has exited, without reaping it: until it is reaped its
// id stays reserved, so its group can still be signalled safely.
bool hasExited(pid_t pid) {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return errno != EINTR;
    return info.si_pid == pid;
}

// Appends what the pipe holds now, without waiting for more. False at its
// end or on an error.
bool readAvailable(int fd, std::string& out) {
    for (;;) {
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && errno == EAGAIN;
    }
}

// Runs `argv` with stdin from /dev/null, stdout collected and stderr into
// `errorFile`, in a process group of its own. The answer is what it wrote by
// the time it exited, even when something it started still holds its
// output open. Once it has exited, has run past `limitMs`, or a signal asks
// the match to end, it is killed with all of its group.
Spawned runProgram(const std::vector<std::string>& words, const std::filesystem::path& errorFile, int limitMs) {
    Spawned result;
    if (endSignalSeen) {
        result.failure = "not asked: the match was told to end";
        return result;
    }
    const std::string& name = words.front();
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        result.failure = std::string("cannot make a pipe: ") + std::strerror(errno);
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    // Its own group, and SIGPIPE back to its default, which this program ignores.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    std::vector<char*> argv;
    std::vector<std::string> copies = words;
    for (std::string& w : copies) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawnError = ::posix_spawnp(&pid, name.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(pipeEnds[1]);
    if (spawnError != 0) {
        ::close(pipeEnds[0]);
        result.failure = std::string("cannot run it: ") + std::strerror(spawnError);
        return result;
    }
    ::fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    // Readable when the program exits; without it (an old kernel) the wait
    // looks at the program every 50 ms.
    const int exitFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));

    // An answer is one short line; a program that talks on and on is cut off.
    constexpr size_t MAX_ANSWER = 64 * 1024;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    bool timedOut = false, exited = false, outputOpen = true;
    int waitError = 0;
    for (;;) {
        if (endSignalSeen) break;
        if (hasExited(pid)) {
            exited = true;
            if (outputOpen) readAvailable(pipeEnds[0], result.out);
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd fds[3] = {{outputOpen ? pipeEnds[0] : -1, POLLIN, 0}, {exitFd, POLLIN, 0}, {wakeEnds[0], POLLIN, 0}};
        const int wait = exitFd >= 0 ? static_cast<int>(left.count()) : std::min(50, static_cast<int>(left.count()));
        if (::poll(fds, 3, wait) < 0 && errno != EINTR) {
            waitError = errno;
            break;
        }
        if (outputOpen && fds[0].revents != 0) outputOpen = readAvailable(pipeEnds[0], result.out);
        if (result.out.size() > MAX_ANSWER) break;
    }
    ::close(pipeEnds[0]);
    if (exitFd >= 0) ::close(exitFd);
    // The program, when still running, and whatever it started and left
    // behind; its id stays reserved until it is reaped below.
    ::kill(-pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!exited && endSignalSeen) {
        result.failure = "ended: the match was told to end";
    } else if (timedOut) {
        result.failure = "gave no answer within " + std::to_string(limitMs / 1000) + " s";
    } else if (result.out.size() > MAX_ANSWER) {
        result.failure = "answered more than " + std::to_string(MAX_ANSWER / 1024) + " KiB";
    } else if (!exited) {
        result.failure = std::string("cannot wait for its answer: ") + std::strerror(waitError);
    } else if (WIFSIGNALED(status)) {
        result.failure = "ended by signal " + std::to_string(WTERMSIG(status));
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.failure = "exited with status " + std::to_string(WEXITSTATUS(status));
        const std::string said = firstLine(readSmallFile(errorFile));
        if (!said.empty()) result.failure += ": " + said;
    }
    return result;
}

}  // namespace

bool catchEndSignals() {
    if (wakeEnds[0] < 0 && ::pipe2(wakeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // One ignored when this program started (a shell's background job)
        // stays ignored, as it would have without the match.
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) != 0) return false;
        if (before.sa_handler == SIG_IGN) continue;
        if (::sigaction(signal, &action, nullptr) != 0) return false;
    }
    return true;
}

int endSignal() { return endSignalSeen; }

const std::atomic<bool>* endRequested() { return &endFlag; }

ProgramAnswer parseComAnswer(const std::string& text) {
    Value answer;
    const std::string line = text.ends_with('\n') ? text.substr(0, text.size() - 1) : text;
    if (line.find('\n') != std::string::npos || !Reader(line).document(answer) || answer.kind != Value::Kind::Object) {
        return "answered no JSON line: '" + firstLine(text) + "'";
    }
    const Value* board = member(answer, "board");
    const Value* left = member(answer, "left");
    const Value* right = member(answer, "right");
    if (!board || !left || !right) return "answered without board, left and right: '" + firstLine(text) + "'";
    if (board->kind == Value::Kind::Null) {
        if (left->kind == Value::Kind::Null && right->kind == Value::Kind::Null) return NoMove{};
        return "answered a move but no board: '" + firstLine(text) + "'";
    }
    if (board->kind != Value::Kind::String || (board->text != "left" && board->text != "right")) {
        return "answered a board that is neither left nor right: '" + firstLine(text) + "'";
    }
    ProgramMove m;
    m.board = board->text == "left" ? BoardId::LEFT : BoardId::RIGHT;
    const Value& chosen = m.board == BoardId::LEFT ? *left : *right;
    const std::optional<Square> from = square(member(chosen, "from"));
    const std::optional<Square> to = square(member(chosen, "to"));
    const std::optional<int> placed = whole(member(chosen, "placedPiece"), BLACK_PAWN, BLACK_KING);
    if (chosen.kind != Value::Kind::Object || !from || !to || !placed) {
        return "answered no move on the " + board->text + " board: '" + firstLine(text) + "'";
    }
    m.from = *from;
    m.to = *to;
    m.placed = static_cast<PieceCode>(*placed);
    return m;
}

ProgramPlayer::ProgramPlayer(std::string program, int level, int timeMs, std::string& failure)
    : program_(std::move(program)), level_(level), timeMs_(timeMs) {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    std::string pattern = ((ec ? std::filesystem::path("/tmp") : base) / "velmora-match-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        failure = "cannot make a folder for the positions: " + std::string(std::strerror(errno));
        return;
    }
    folder_ = pattern;
}

ProgramPlayer::~ProgramPlayer() {
    if (folder_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

ProgramAnswer ProgramPlayer::blackMove(const Board& left, const Board& right) {
    const std::string& who = program_;
    RecordFile record;
    record.title = "match";
    record.blackPlayer = "program";
    record.whitePlayer = "velmora-cli";
    record.snapshots.push_back({left, right});
    const std::filesystem::path file = folder_ / "position.棋譜";
    std::string bytes, error;
    if (!encodeRecordFile(record, bytes, error) || !writeFileAtomically(file, bytes, error)) return error;
    std::vector<std::string> words = {program_, "com", file.string(), "--level", std::to_string(level_)};
    if (timeMs_ > 0) words.insert(words.end(), {"--time", std::to_string(timeMs_)});
    const Spawned run = runProgram(words, folder_ / "stderr.txt", 2 * std::max(timeMs_, 1000) + 30'000);
    std::error_code ec;
    std::filesystem::remove(file, ec);
    if (!run.failure.empty()) return who + ": " + run.failure;
    ProgramAnswer answer = parseComAnswer(run.out);
    if (const std::string* bad = std::get_if<std::string>(&answer)) return who + ": " + *bad;
    return answer;
}

}  // namespace velmora::cli
