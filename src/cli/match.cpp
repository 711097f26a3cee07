// velmora-cli match: two strength levels play each other from varied
// openings, one JSON line a game and a summary line last. Levels 1 to 3 are
// the computer's own one-move player, which plays black; as white it plays
// the colour-reversed position (each board turned round with the colours
// exchanged, as 反転 does) and its move is turned back. Level 4 is the search
// engine, for either colour, each side with its own time budget. The summary
// gives white's Elo difference, so a change's strength is a figure.
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>

#include "cli/commands.h"
#include "cli/elo.h"
#include "cli/json_out.h"
#include "com/com_turn.h"
#include "com/level.h"
#include "com/one_ply_search.h"
#include "engine/position.h"
#include "engine/search.h"
#include "ports/engine_runner_port.h"
#include "influence/survey.h"
#include "record/notation.h"
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

// The engine's move with its own table, which it keeps for the game as the
// computer's turn keeps black's.
std::optional<Placed> engineMove(Game& g, Colour colour, int timeMs, engine::TranspositionTable& table) {
    engine::SearchLimits limits;
    limits.timeMs = timeMs;
    limits.table = &table;
    const engine::SearchResult r = engine::bestMove(engine::positionFromGame(g, colour), limits);
    if (!r.found()) return std::nullopt;
    return Placed{r.board, r.from, r.to, static_cast<PieceCode>(r.placed), r.enPassant};
}

// White's move by the one-move player: found for black on the reversed
// boards, then turned back.
std::optional<Placed> reversedComMove(const Game& g, int level) {
    Game mirror;
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        for (int f = 1; f <= 8; ++f) {
            for (int r = 1; r <= 8; ++r) mirror.board(id).at(9 - f, 9 - r) = static_cast<PieceCode>(-g.board(id).at(f, r));
        }
    }
    GameState& st = mirror.state;
    st.gameMode = GameMode::AgainstComputer;
    st.whiteTurn = Side::First;
    st.blackTurn = Side::Second;
    st.sideToMove = Side::Second;
    st.comLevel = level;
    const std::optional<BoardId> chosen = comSearch(mirror);
    if (!chosen) return std::nullopt;
    const BestMove& best = mirror.com.of(*chosen).best;
    Placed m{*chosen, {9 - best.from.file, 9 - best.from.rank}, {9 - best.to.file, 9 - best.to.rank},
             static_cast<PieceCode>(-best.placedPiece), false};
    const PieceCode moving = g.board(m.board).at(m.from);
    m.enPassant = アンパサンド_移動前(g.board(m.board), m.from, m.to, moving);
    return m;
}

struct Outcome {
    std::string winner = "draw";  // "white", "black" or "draw"
    std::string reason = "move limit";
};

Outcome playGame(Game& g, const Options& o, std::mt19937& random) {
    GameState& st = g.state;
    for (int ply = 0; ply < OPENING_PLIES; ++ply) {
        if (!randomMove(g, ply % 2 == 0 ? st.whiteTurn : st.blackTurn, random)) return {"draw", "no move in the opening"};
    }
    // Against the computer's own rules: the computer's turn plays black.
    st.sideToMove = st.whiteTurn;
    st.comLevel = o.blackLevel;
    std::unique_ptr<engine::TranspositionTable> whiteTable;
    if (o.whiteLevel == ENGINE_LEVEL) whiteTable = std::make_unique<engine::TranspositionTable>(EngineRunner::TABLE_LOG2);
    while (st.moveNumber < MAX_MOVES - 1) {
        const std::optional<Placed> white = whiteTable ? engineMove(g, engine::WHITE, o.whiteTimeMs, *whiteTable)
                                                       : reversedComMove(g, o.whiteLevel);
        if (!white) return {"draw", "white cannot move"};
        play(g, *white);
        if (kingGoneFromEitherBoard(g, BLACK_KING)) return {"white", "took a king"};
        // The computer's turn says when it ended the game.
        if (com_ban(g)) {
            return st.gameWinner == st.blackTurn ? Outcome{"black", "took a king"} : Outcome{"draw", "black cannot move"};
        }
        if (kingGoneFromEitherBoard(g, WHITE_KING)) return {"black", "took a king"};
    }
    return {};
}

}  // namespace

std::optional<std::string> runMatch(const Options& o) {
    std::mt19937 random(static_cast<std::mt19937::result_type>(o.seed));
    int whiteWins = 0, blackWins = 0, draws = 0;
    for (int game = 0; game < o.games; ++game) {
        auto g = newComputerGame(o.blackLevel);
        const GameState& st = g->state;
        g->com.engineTimeMs = o.blackTimeMs;  // black's moves come from the computer's turn
        const Outcome out = playGame(*g, o, random);
        (out.winner == "white" ? whiteWins : out.winner == "black" ? blackWins : draws) += 1;
        JsonWriter json;
        json.beginObject().key("game").value(game).key("white").value(o.whiteLevel).key("black").value(o.blackLevel);
        json.key("moves").value(st.lastMoveNumber).key("winner").value(out.winner).key("reason").value(out.reason);
        json.endObject();
        const std::string line = json.text() + "\n";
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) return std::nullopt;
        std::fflush(stdout);
    }
    JsonWriter json;
    json.beginObject().key("white").value(o.whiteLevel).key("black").value(o.blackLevel).key("games").value(o.games);
    json.key("whiteWins").value(whiteWins).key("blackWins").value(blackWins).key("draws").value(draws);
    // Tenths of a point are all the figure's precision is worth.
    const EloEstimate elo = eloFromResults(whiteWins, draws, blackWins);
    auto tenths = [](double x) { return std::round(x * 10) / 10; };
    json.key("elo").value(tenths(elo.elo)).key("eloError").value(tenths(elo.margin)).endObject();
    const std::string line = json.text() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::nullopt;
}

}  // namespace velmora::cli
