// velmora-cli: questions about positions of a game record, answered by the
// same core the game runs on, one JSON line per position.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/program_player.h"
#include "ports/file_writer_port.h"
#include "record/played_move.h"
#include "record/position_text.h"
#include "record/record_file.h"
#include "rules/move_list.h"
#include "text/escaped_text.h"
#include "velmora_version.h"

using namespace velmora;
using namespace velmora::cli;

namespace {

int fail(const std::string& message) {
    const std::string line = "velmora-cli: " + escapeForMessage(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    return 2;
}

// Writes to stdout; a write that fails (a full disk, a closed pipe, a size
// limit) is remembered and reported once at the end.
int outputError = 0;

bool emit(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size()) return true;
    if (outputError == 0) outputError = errno != 0 ? errno : EIO;
    return false;
}

// Sends what was written so far on its way, for output a reader follows.
bool flushOutput() {
    if (std::fflush(stdout) == 0) return true;
    if (outputError == 0) outputError = errno != 0 ? errno : EIO;
    return false;
}

int finishOutput() {
    if (std::fflush(stdout) != 0 && outputError == 0) outputError = errno != 0 ? errno : EIO;
    if (outputError == 0 && std::ferror(stdout)) outputError = EIO;
    if (outputError != 0) return fail(std::string("cannot write the output: ") + std::strerror(outputError));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // A size limit on the output makes writes fail instead of ending the program.
    ignoreFileSizeSignal();
    std::signal(SIGPIPE, SIG_IGN);
    Options options;
    if (std::optional<std::string> error = parseOptions(argc, argv, options)) return fail(*error);
    if (options.command == "help") {
        emit(USAGE);
        return finishOutput();
    }
    if (options.command == "version") {
        emit(std::string("velmora-cli ") + VELMORA_VERSION + "\n");
        return finishOutput();
    }
    // A position given as text stands for a record of that one position.
    std::optional<PositionText> given;
    if (options.position) {
        PositionTextError error;
        given = readPositionText(*options.position, &error);
        if (!given) return fail("--position: " + positionErrorLine(error));
    }
    if (options.command == "match") {
        std::optional<RunFailure> failure = runMatch(options, given);
        // Ended by SIGINT, SIGTERM or SIGHUP: the other programs are gone and their
        // folders removed; the signal now ends this program as it would have.
        if (const int signal = endSignal()) {
            std::fflush(stdout);
            std::signal(signal, SIG_DFL);
            std::raise(signal);
        }
        if (failure) {
            // The games played so far stay on stdout.
            std::fflush(stdout);
            fail(failure->message);
            return failure->status;
        }
        return finishOutput();
    }
    if (options.command == "selfplay") {
        if (std::optional<std::string> error = runSelfplay(options)) return fail(*error);
        return finishOutput();
    }

    RecordFile record;
    if (given) {
        record.snapshots.push_back({given->left, given->right});
    } else {
        std::string error;
        if (!readRecordFileStrict(options.file, record, error)) return fail(error);
    }
    if (options.command == "analyse") {
        auto write = [](const std::string& text) { return emit(text) && flushOutput(); };
        if (given) {
            analysePositionLine(*given, options, write);
        } else {
            analyseLines(record, options, write);
        }
        return finishOutput();
    }
    const int count = static_cast<int>(record.snapshots.size());
    int first = count - 1;
    int last = count - 1;
    if (options.all) {
        first = 0;
    } else if (options.move) {
        if (*options.move < 0 || *options.move >= count) {
            return fail(options.file + ": --move " + std::to_string(*options.move) + " is outside the file (snapshot lines 0.." +
                        std::to_string(count - 1) + ", file lines 4.." + std::to_string(count + 3) + ")");
        }
        first = last = *options.move;
    }
    std::vector<std::pair<Board, Board>> snapshots;
    if (options.command == "position") {
        for (const SnapshotPair& p : record.snapshots) snapshots.emplace_back(p.left, p.right);
    }

    for (int n = first; n <= last; ++n) {
        const SnapshotPair& pair = record.snapshots[static_cast<size_t>(n)];
        // The number the answer gives: the snapshot line, or the text's move number.
        const int number = given ? given->moveNumber : n;
        const std::string side = !options.side.empty() ? options.side
                                 : given && given->toMove == Colour::Black ? "black"
                                                                           : "white";
        auto game = std::make_unique<Game>();
        putPosition(*game, pair.left, pair.right);
        std::string line;
        if (options.command == "survey") {
            line = surveyLine(*game, number) + "\n";
        } else if (options.command == "moves") {
            line = movesLine(*game, number, side) + "\n";
        } else if (options.command == "com") {
            line = comLine(*game, number, options.level, options.timeMs) + "\n";
        } else if (options.command == "position") {
            line = writePositionText({pair.left, pair.right, toMoveAtSnapshot(snapshots, n), n}) + "\n";
        } else if (options.command == "perft") {
            const Colour colour = !given ? perftColour(record, n, options) : side == "black" ? Colour::Black : Colour::White;
            // Written and flushed line by line as the count goes on.
            if (!perftLines(pair, number, colour, options, [](const std::string& text) { return emit(text) && flushOutput(); })) break;
            continue;
        } else {
            line = boardsText(pair.left, pair.right);
        }
        // Stop at the first failed write rather than compute answers nobody reads.
        if (!emit(line)) break;
    }
    return finishOutput();
}
