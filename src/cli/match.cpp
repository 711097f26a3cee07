// velmora-cli match: two strength levels play each other from varied
// openings, one JSON line a game and a summary line last. Levels 1 to 3 are
// the computer's own one-move player, which plays black; as white it plays
// the colour-reversed position (each board turned round with the colours
// exchanged, as 反転 does) and its move is turned back. Levels 4 to 9 are the
// search engine's rungs, for either colour, each side at its level's budget
// or one given. A side may also be another program at an engine level, asked
// through its `com` command; as white it gets the colour-reversed position
// too. The seed fixes the openings and the lower rungs' chance choices, so
// it fixes the games. The summary gives white's Elo difference, so a
// change's strength is a figure.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <memory>
#include <random>
#include <tuple>
#include <variant>

#include "cli/commands.h"
#include "cli/elo.h"
#include "cli/json_out.h"
#include "cli/program_player.h"
#include "clock/game_clock.h"
#include "com/com_state.h"
#include "com/com_turn.h"
#include "com/level.h"
#include "com/one_ply_search.h"
#include "engine/movegen.h"
#include "engine/position.h"
#include "engine/search.h"
#include "influence/survey.h"
#include "ports/engine_runner_port.h"
#include "record/notation.h"
#include "record/set_up.h"
#include "rules/end_tests.h"
#include "rules/execution.h"
#include "rules/move_list.h"
#include "rules/setup.h"

namespace velmora::cli {
namespace {

constexpr int OPENING_PLIES = 4;

struct Placed {
    BoardId board = BoardId::LEFT;
    Square from, to;
    PieceCode piece = EMPTY;  // what stands on the destination afterwards
    bool enPassant = false;   // the pawn passed by is taken
};

// Makes a move of either colour and stores the snapshot; the influence of
// the board moved on is surveyed again, as after the person's moves.
void play(Game& g, const Placed& m) {
    Board& b = g.board(m.board);
    if (m.enPassant) b.at(m.to.file, m.from.rank) = EMPTY;
    駒移動(g, m.board, m.from, m.to, m.piece);
    recordMove(g);
    勢力調査(g, m.board);
}

// A seeded random accepted move of `turn`; a pawn reaching the last rank
// becomes a queen. False when that side cannot move.
bool randomMove(Game& g, Side turn, std::mt19937& random) {
    std::vector<Placed> choices;
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        for (const Move& m : acceptedMoves(g, id, turn)) {
            const Board& b = g.board(id);
            PieceCode piece = b.at(m.from);
            const bool passed = アンパサンド_移動前(b, m.from, m.to, piece);
            if (調査_駒成人選(m.from, m.to, piece)) {
                piece = isWhite(piece) ? WHITE_QUEEN : BLACK_QUEEN;
            }
            choices.push_back({id, m.from, m.to, piece, passed});
        }
    }
    if (choices.empty()) return false;
    play(g, choices[random() % choices.size()]);
    return true;
}

// The engine's move at `level` with its own table, which it keeps for the
// game as the computer's turn keeps black's. `timeMs` 0: the level's budget;
// under a clock, less when the time left asks for it.
std::optional<Placed> engineMove(Game& g, Colour colour, int level, int timeMs, engine::TranspositionTable& table) {
    engine::SearchLimits limits = levelLimits(g, level, colour);
    limits.timeMs = computerBudgetMs(g, colour, timeMs > 0 ? timeMs : strengthOf(level).timeMs);
    limits.table = &table;
    limits.stop = endRequested();  // set by SIGINT or SIGTERM while another program plays
    const engine::SearchResult r = engine::bestMove(engine::positionFromGame(g, colour), limits);
    if (!r.found()) return std::nullopt;
    return Placed{r.board, r.from, r.to, static_cast<PieceCode>(r.placed), r.enPassant};
}

// The board turned round with the colours exchanged, as 反転 does.
Board reversed(const Board& b) {
    Board out;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) out.at(9 - f, 9 - r) = static_cast<PieceCode>(-b.at(f, r));
    }
    return out;
}

Square turnedBack(Square s) { return {9 - s.file, 9 - s.rank}; }

// White's move by the one-move player: found for black on the reversed
// boards, then turned back.
std::optional<Placed> reversedComMove(const Game& g, int level) {
    Game mirror;
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) mirror.board(id) = reversed(g.board(id));
    GameState& st = mirror.state;
    st.gameMode = GameMode::AgainstComputer;
    st.whiteSide = Side::First;
    st.blackSide = Side::Second;
    st.sideToMove = Side::Second;
    st.comLevel = level;
    const std::optional<BoardId> chosen = comSearch(mirror);
    if (!chosen) return std::nullopt;
    const BestMove& best = *comState(mirror).of(*chosen).best;
    Placed m{*chosen, turnedBack(best.from), turnedBack(best.to), static_cast<PieceCode>(-best.placedPiece), false};
    const PieceCode moving = g.board(m.board).at(m.from);
    m.enPassant = アンパサンド_移動前(g.board(m.board), m.from, m.to, moving);
    return m;
}

// A move, no move (the side cannot move), or why the program failed.
using Answer = std::variant<Placed, NoMove, std::string>;

// `colour`'s move by another program: black's on the boards as they stand,
// white's on the reversed boards and turned back. The move must be one the
// move rules allow that side (the king left attacked or not, as the
// computer's moves are judged).
Answer programMove(ProgramPlayer& program, const Game& g, Colour colour) {
    const bool white = colour == engine::WHITE;
    const Board& left = g.board(BoardId::LEFT);
    const Board& right = g.board(BoardId::RIGHT);
    const ProgramAnswer answer = white ? program.blackMove(reversed(left), reversed(right)) : program.blackMove(left, right);
    if (const std::string* failure = std::get_if<std::string>(&answer)) return *failure;
    engine::Position position = engine::positionFromGame(g, colour);
    engine::MoveList moves;
    engine::generateMoves(position, moves, engine::KingTest::Untested);
    const char* side = white ? "white" : "black";
    if (std::holds_alternative<NoMove>(answer)) {
        if (moves.size == 0) return NoMove{};
        return program.program() + ": answered no move, but " + side + " has " + std::to_string(moves.size);
    }
    ProgramMove m = std::get<ProgramMove>(answer);
    if (white) {
        m.from = turnedBack(m.from);
        m.to = turnedBack(m.to);
        m.placed = static_cast<PieceCode>(-m.placed);
    }
    const int from = engine::squareOf(m.from.file, m.from.rank);
    const int to = engine::squareOf(m.to.file, m.to.rank);
    for (const engine::EngineMove x : moves) {
        if (x.board() == m.board && x.from() == from && x.to() == to && x.placed() == m.placed) {
            const Board& b = g.board(m.board);
            return Placed{m.board, m.from, m.to, m.placed, アンパサンド_移動前(b, m.from, m.to, b.at(m.from))};
        }
    }
    return program.program() + ": answered " + (m.board == BoardId::LEFT ? "left " : "right ") +
           std::to_string(m.from.file) + std::to_string(m.from.rank) + "-" + std::to_string(m.to.file) +
           std::to_string(m.to.rank) + " placing " + std::to_string(m.placed) + ", which is no move of " + side + " here";
}

struct Outcome {
    std::string winner = "draw";  // "white", "black" or "draw"
    std::string reason = "move limit";
};

const char* const TIME_UP = "time";

// How a game ended, or why a program could not go on with it.
using GameResult = std::variant<Outcome, std::string>;

// The other programs playing, when any.
struct Programs {
    std::unique_ptr<ProgramPlayer> white, black;
};

// White's move, from whichever player plays white.
Answer whiteMove(Game& g, const Options& o, Programs& programs, engine::TranspositionTable* table) {
    if (programs.white) return programMove(*programs.white, g, engine::WHITE);
    const std::optional<Placed> m =
        table ? engineMove(g, engine::WHITE, o.whiteLevel, o.whiteTimeMs, *table) : reversedComMove(g, o.whiteLevel);
    if (!m) return NoMove{};
    return *m;
}

GameResult playGame(Game& g, const Options& o, Programs& programs, std::mt19937& random, bool blackBegins) {
    GameState& st = g.state;
    // A given start position is played as it stands; otherwise a few random
    // moves make each game's opening its own.
    for (int ply = 0; ply < OPENING_PLIES && !g.setUpToMove; ++ply) {
        if (!randomMove(g, ply % 2 == 0 ? st.whiteSide : st.blackSide, random)) return Outcome{"draw", "no move in the opening"};
    }
    // Against the computer's own rules: the computer's turn plays black.
    st.sideToMove = st.whiteSide;
    st.comLevel = o.blackLevel;
    std::unique_ptr<engine::TranspositionTable> whiteTable;
    if (isEngineLevel(o.whiteLevel) && !programs.white) {
        whiteTable = std::make_unique<engine::TranspositionTable>(EngineRunner::TABLE_LOG2);
    }
    // Under a clock, white's runs around its choice as the computer's runs
    // around its search: the rest of the turn is nobody's time.
    PlayerClocks& clock = g.playerClocks;
    bool whiteMoves = !blackBegins;
    while (st.moveNumber < MAX_MOVES - 1) {
        // A set-up position with black to move starts with black's move.
        if (whiteMoves) {
            if (clock.on()) clock.start(Colour::White, g.pauses().now());
            const Answer white = whiteMove(g, o, programs, whiteTable.get());
            // A search the signal cut short found nothing to go by.
            if (endSignal()) return std::string("ended by signal ") + std::to_string(endSignal());
            if (clock.on() && !clock.moveMade(Colour::White, g.pauses().now())) return Outcome{"black", TIME_UP};
            if (const std::string* failure = std::get_if<std::string>(&white)) return *failure;
            if (std::holds_alternative<NoMove>(white)) return Outcome{"draw", "white cannot move"};
            play(g, std::get<Placed>(white));
            if (kingGoneFromEitherBoard(g, BLACK_KING)) return Outcome{"white", "took a king"};
        }
        whiteMoves = true;
        if (programs.black) {
            const Answer black = programMove(*programs.black, g, engine::BLACK);
            if (const std::string* failure = std::get_if<std::string>(&black)) return *failure;
            if (std::holds_alternative<NoMove>(black)) return Outcome{"draw", "black cannot move"};
            play(g, std::get<Placed>(black));
            st.sideToMove = st.whiteSide;
        } else if (const std::optional<Winner> ended = com_ban(g)) {
            // The computer's turn says when it ended the game.
            if (*ended == Winner::Person) return Outcome{"white", TIME_UP};
            return st.gameWinner == st.blackSide ? Outcome{"black", "took a king"} : Outcome{"draw", "black cannot move"};
        }
        if (endSignal()) return std::string("ended by signal ") + std::to_string(endSignal());
        if (kingGoneFromEitherBoard(g, WHITE_KING)) return Outcome{"black", "took a king"};
    }
    return Outcome{};
}

// A side's name in the output: its level, or the program playing it.
void writeSide(JsonWriter& json, const char* side, int level, const std::unique_ptr<ProgramPlayer>& program) {
    json.key(side);
    if (program) {
        json.value(program->program());
    } else {
        json.value(level);
    }
}

}  // namespace

std::optional<RunFailure> runMatch(const Options& o, const std::optional<PositionText>& start) {
    // A signal to end must not leave the program running or its folder behind.
    if (!o.whiteProgram.empty() || !o.blackProgram.empty()) {
        if (!catchEndSignals()) return RunFailure{std::string("cannot catch SIGINT, SIGTERM and SIGHUP: ") + std::strerror(errno), 1};
    }
    Programs programs;
    for (const auto& [path, level, timeMs, player] :
         {std::tuple(&o.whiteProgram, o.whiteLevel, o.whiteTimeMs, &programs.white),
          std::tuple(&o.blackProgram, o.blackLevel, o.blackTimeMs, &programs.black)}) {
        if (path->empty()) continue;
        std::string failure;
        *player = std::make_unique<ProgramPlayer>(*path, level, timeMs, failure);
        if (!failure.empty()) return RunFailure{failure, 1};
    }
    std::mt19937 random(static_cast<std::mt19937::result_type>(o.seed));
    int whiteWins = 0, blackWins = 0, draws = 0;
    // Under a clock: the games lost on time, and the least time either side
    // had left at the end of a game.
    int timeLosses = 0;
    double leastLeftMs = o.timeControl.baseMs;
    for (int game = 0; game < o.games; ++game) {
        auto g = newComputerGame(o.blackLevel);
        if (start) {
            setUpPosition(*g, *start);
            // Played by the computer's rules: white is the first side, whoever begins.
            g->state.recordMode = false;
            g->state.gameMode = GameMode::AgainstComputer;
            g->state.whiteSide = Side::First;
            g->state.blackSide = Side::Second;
        }
        const GameState& st = g->state;
        comState(*g).engineTimeMs = o.blackTimeMs;  // black's moves come from the computer's turn
        // The lower rungs' choices follow the match's seed and the game's
        // number, apart from the openings' generator so those stay as they were.
        comState(*g).seed = (std::uint64_t{o.seed} << 32) ^ static_cast<std::uint64_t>(game) * 0xd1b54a32d192ed03ULL;
        comState(*g).searches = 0;
        g->options.timeControl = o.timeControl;
        g->playerClocks.reset(o.timeControl);
        const GameResult result = playGame(*g, o, programs, random, start && start->toMove == Colour::Black);
        if (const std::string* failure = std::get_if<std::string>(&result)) {
            return RunFailure{"game " + std::to_string(game) + ": " + *failure, 1};
        }
        const Outcome& out = std::get<Outcome>(result);
        (out.winner == "white" ? whiteWins : out.winner == "black" ? blackWins : draws) += 1;
        JsonWriter json;
        json.beginObject().key("game").value(game);
        writeSide(json, "white", o.whiteLevel, programs.white);
        writeSide(json, "black", o.blackLevel, programs.black);
        json.key("moves").value(st.lastMoveNumber).key("winner").value(out.winner).key("reason").value(out.reason);
        if (o.timeControl.on()) {
            const double now = g->pauses().now();
            const double whiteLeft = g->playerClocks.remainingMs(Colour::White, now);
            const double blackLeft = g->playerClocks.remainingMs(Colour::Black, now);
            json.key("whiteLeftMs").value(static_cast<int>(whiteLeft)).key("blackLeftMs").value(static_cast<int>(blackLeft));
            timeLosses += out.reason == TIME_UP;
            leastLeftMs = std::min({leastLeftMs, whiteLeft, blackLeft});
        }
        json.endObject();
        const std::string line = json.text() + "\n";
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) return std::nullopt;
        std::fflush(stdout);
    }
    JsonWriter json;
    json.beginObject();
    writeSide(json, "white", o.whiteLevel, programs.white);
    writeSide(json, "black", o.blackLevel, programs.black);
    json.key("games").value(o.games);
    json.key("whiteWins").value(whiteWins).key("blackWins").value(blackWins).key("draws").value(draws);
    if (o.timeControl.on()) {
        json.key("timeControl").value(timeControlText(o.timeControl)).key("timeLosses").value(timeLosses);
        json.key("leastLeftMs").value(static_cast<int>(leastLeftMs));
    }
    // Tenths of a point are all the figure's precision is worth.
    const EloEstimate elo = eloFromResults(whiteWins, draws, blackWins);
    auto tenths = [](double x) { return std::round(x * 10) / 10; };
    json.key("elo").value(tenths(elo.elo)).key("eloError").value(tenths(elo.margin)).endObject();
    const std::string line = json.text() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::nullopt;
}

}  // namespace velmora::cli
