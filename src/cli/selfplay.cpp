// Self-play: the computer (black) against a seeded random mover (white) on
// both boards. Every position reached goes into one record file, a corpus for
// tests and benchmarks; one JSON line per game tells how it ended.
#include <cstdio>
#include <memory>
#include <random>

#include "cli/commands.h"
#include "cli/json_out.h"
#include "com/com_turn.h"
#include "influence/survey.h"
#include "record/notation.h"
#include "record/record_file.h"
#include "rules/end_tests.h"
#include "rules/execution.h"
#include "rules/move_list.h"
#include "rules/setup.h"

namespace velmora::cli {
namespace {

struct RandomMove {
    BoardId board;
    Move move;
};

// Plays a uniformly chosen accepted white move on either board; a pawn that
// reaches the last rank becomes a queen. Returns false when white cannot move.
bool playRandomWhiteMove(Game& g, std::mt19937& random) {
    std::vector<RandomMove> choices;
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        for (const Move& m : acceptedMoves(g, id, g.state.whiteSide)) choices.push_back({id, m});
    }
    if (choices.empty()) return false;
    const RandomMove pick = choices[random() % choices.size()];
    const Move& m = pick.move;
    Board& b = g.board(pick.board);
    PieceCode piece = b.at(m.from);
    if (アンパサンド_移動前(b, m.from, m.to, piece)) b.at(m.to.file, m.from.rank) = EMPTY;
    if (調査_駒成人選(m.from, m.to, piece)) piece = WHITE_QUEEN;
    駒移動(g, pick.board, m.from, m.to, piece);
    recordMove(g);
    勢力調査(g, pick.board);
    return true;
}

}  // namespace

std::unique_ptr<Game> newComputerGame(int level) {
    auto g = std::make_unique<Game>();
    初期設定(*g);
    GameState& st = g->state;
    st.gameMode = GameMode::AgainstComputer;
    st.whiteSide = Side::First;
    st.blackSide = Side::Second;
    st.sideToMove = Side::First;
    st.comLevel = level;
    return g;
}

std::optional<std::string> runSelfplay(const Options& options) {
    std::mt19937 random(static_cast<std::mt19937::result_type>(options.seed));
    RecordFile corpus;
    corpus.title = "selfplay seed " + std::to_string(options.seed) + " level " + std::to_string(options.level);
    corpus.blackPlayer = "ｺﾝﾋﾟｭｰﾀ";
    corpus.whitePlayer = "random";
    for (int game = 0; game < options.games; ++game) {
        auto g = newComputerGame(options.level);
        GameState& st = g->state;
        std::string result = "unfinished";
        while (st.moveNumber < MAX_MOVES - 1) {
            if (!playRandomWhiteMove(*g, random)) {
                result = "white cannot move";
                break;
            }
            if (kingGoneFromEitherBoard(*g, BLACK_KING)) {
                result = "white took a king";
                break;
            }
            // The computer's turn says when it ended the game.
            if (com_ban(*g)) {
                result = st.gameWinner == st.blackSide ? "computer won" : "draw";
                break;
            }
        }
        const int last = st.lastMoveNumber;
        for (int n = 0; n <= last; ++n) corpus.snapshots.push_back({g->history.left[n], g->history.right[n]});
        JsonWriter json;
        json.beginObject().key("game").value(game).key("moves").value(last).key("result").value(result).endObject();
        const std::string line = json.text() + "\n";
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) break;
    }
    if (!options.out.empty()) {
        std::string bytes, error;
        if (!encodeRecordFile(corpus, bytes, error) || !writeFileAtomically(options.out, bytes, error)) return error;
    }
    return std::nullopt;
}

}  // namespace velmora::cli
