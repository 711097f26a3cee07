#pragma once
#include <memory>
// velmora-cli's answers about one position of a record, and its self-play.
#include <optional>
#include <functional>
#include <string>

#include "cli/options.h"
#include "game.h"
#include "record/position_text.h"
#include "record/record_file.h"

namespace velmora::cli {

// Each answer is about the position put on `g`; `n` is its snapshot line.
// The influence grids of both boards: one JSON line.
std::string surveyLine(Game& g, int n);
// The moves the person's rules accept for `side` ("white" or "black"): one JSON line.
std::string movesLine(Game& g, int n, const std::string& side);
// The computer's search at `level`: one JSON line.
// Levels 4-12 are the search engine's rungs, each with its own budget a move
// unless `timeMs` gives one; its move stands on its board, the other board's
// entry is null.
std::string comLine(Game& g, int n, int level, int timeMs = 0);
// Both boards side by side, as a person reads them: black at the top, files
// ａ-ｈ, rank digits as the game shows them (rank 1 reads ８).
std::string boardsText(const Board& left, const Board& right);

// Computer against a seeded random mover, one JSON line per game; a message
// when the record cannot be written.
// A fresh game against the computer from the start position, white to move.
std::unique_ptr<Game> newComputerGame(int level);
std::optional<std::string> runSelfplay(const Options& options);
// What ended a command that was running: one line, and the exit status.
struct RunFailure {
    std::string message;
    int status = 2;
};
// Two levels against each other: a JSON line a game, then the summary. A
// side's program that fails or answers nonsense ends the match (status 1).
// Every game starts from `start` when given (no random opening), else from
// the start position after a few random moves.
std::optional<RunFailure> runMatch(const Options& options, const std::optional<PositionText>& start = std::nullopt);
// The side perft counts for at snapshot n: --side's, else the side that did
// not make move n (white at the start).
Colour perftColour(const RecordFile& record, int n, const Options& options);
// The engine's perft of one position with `colour` to move (per first move
// with --divide): JSON lines, each handed to `write` as soon as it is known;
// `number` is the position's move number. False when a write failed.
bool perftLines(const SnapshotPair& position, int number, Colour colour, const Options& options,
                const std::function<bool(const std::string&)>& write);

// The engine's review of every move of the record (analyse): a JSON line a
// move, then the summary, each handed to `write`. False when a write failed.
bool analyseLines(const RecordFile& record, const Options& options,
                  const std::function<bool(const std::string&)>& write);
// The engine's view of one position (analyse --position): one JSON line, the
// score from the side to move's view, which counts as the first player.
bool analysePositionLine(const PositionText& position, const Options& options,
                         const std::function<bool(const std::string&)>& write);

}  // namespace velmora::cli
