#include "com/com_turn.h"

#include "clock/game_clock.h"
#include "com/level.h"
#include "com/one_ply_search.h"
#include "engine/position.h"
#include "influence/survey.h"
#include "ports/palette_port.h"
#include "record/notation.h"
#include "rules/end_tests.h"
#include "rules/execution.h"

namespace velmora {
namespace {

// Clears the person's side of the display and shows "思考中" over both boards.
void showThinking(Game& g) {
    Presentation& view = g.presentation();
    for (int column : {-1, 0}) {
        for (int row : {2, 3}) view.描画_背景セル(column, row);
    }
    view.描画_桝駒(BoardId::LEFT, {1, 2});
    view.描画_桝駒(BoardId::LEFT, {1, 3});
    view.消去_思考中(ThinkingStrip::Above);
    view.描画_思考中();
}

void playMove(Game& g, BoardId id, const BestMove& best) {
    Presentation& view = g.presentation();
    Board& b = g.board(id);
    view.描画_駒点滅(id, best.from, 2);
    if (best.placedPiece != best.movingPiece) {
        view.描画_桝駒成アニメ(best.placedPiece, id);
    } else if (アンパサンド_移動前(b, best.from, best.to, best.movingPiece)) {
        g.dialogs().messageBox("アンパッサンします！", "アンパッサン", Buttons::Ok);
        // The white pawn taken en passant stands one rank below the destination.
        b.at(best.to.file, best.to.rank - 1) = EMPTY;
        view.描画_桝駒(id, {best.to.file, best.to.rank - 1});
    }
    g.sound().dsPlay(g.sounds.pieceSound);
    駒移動(g, id, best.from, best.to, best.placedPiece);
    view.描画_桝輪郭(id, COM_MOVE_COLOR, best.to.file, best.to.rank);
    if (!存在チェック駒(g.board(otherBoard(id)), WHITE_KING)) {
        g.state.gameWinner = g.state.blackTurn;
    } else {
        勢力調査(g, id);
    }
    view.描画_移動結果(id, best.to, best.placedPiece, COM_MOVE_COLOR);
}

// Announces a check, or a mate, on the first board (right, then left) whose
// white king is attacked.
void announceCheck(Game& g) {
    勢力調査(g, BoardId::LEFT);
    勢力調査(g, BoardId::RIGHT);
    g.state.whiteInCheck = true;
    for (BoardId id : {BoardId::RIGHT, BoardId::LEFT}) {
        BoardState& bs = g.side(id);
        if (bs.influence.blackAttacks.at(bs.whiteKing) > 0) {
            if (詰めかMAN(bs)) {
                g.dialogs().messageBox("よし！!", "チェックメイト ?", Buttons::Ok);
            } else {
                g.dialogs().messageBox("   ** チェック **", "", Buttons::Ok);
            }
            return;
        }
    }
    g.state.whiteInCheck = false;
}

// What the computer's search came to: the board of its move, no move on
// either board, or stopped by a command before it chose.
struct Choice {
    std::optional<BoardId> board;
    bool stopped = false;
};

// The search engine's move, as the chosen board's best move.
Choice engineSearch(Game& g) {
    const std::optional<engine::SearchResult> r =
        g.engineRunner().think(engine::positionFromGame(g, engine::BLACK), levelLimits(g, g.state.comLevel, Colour::Black));
    if (!r) return {std::nullopt, true};
    if (!r->found()) return {};
    g.com.of(r->board).best = bestMoveOf(g, *r);
    // Taking the white king wins, as the one-move levels decide it too.
    if (g.board(r->board).at(r->to) == WHITE_KING) g.state.gameWinner = g.state.blackTurn;
    return {r->board};
}

// A command stopped the search: nothing is played, "思考中" goes, and the
// game stands paused with the computer to move, as after a step back. The
// command runs next; continueComputerTurn takes the turn up again if the
// command left the game where it stood.
void setTurnAside(Game& g) {
    g.presentation().消去_思考中(ThinkingStrip::Above);
    g.state.sideToMove = Side::None;
    g.com.turnStopped = true;
}

}  // namespace

engine::SearchLimits engineLimits(const Game& g, int timeMs) {
    engine::SearchLimits limits;
    limits.timeMs = timeMs;
    limits.kind = g.state.gameMode == GameMode::AgainstComputer ? engine::GameKind::AGAINST_COM : engine::GameKind::TWO_PEOPLE;
    return limits;
}

engine::SearchLimits levelLimits(Game& g, int level, Colour mover) {
    const LevelStrength strength = strengthOf(level);
    const int budget = g.com.engineTimeMs > 0 ? g.com.engineTimeMs : strength.timeMs;
    engine::SearchLimits limits = engineLimits(g, computerBudgetMs(g, mover, budget));
    limits.maxDepth = strength.maxDepth;
    limits.maxNodes = strength.maxNodes;
    limits.rootSpread = strength.rootSpread;
    limits.seed = g.com.nextSeed();
    // The seed's top bits decide an oversight; the bias uses all of them.
    if (static_cast<int>((limits.seed >> 40) % 100) < strength.oversightPercent) {
        limits.maxDepth = strength.oversightDepth;
        limits.quiescence = strength.oversightDepth > 1;
    }
    return limits;
}

BestMove bestMoveOf(const Game& g, const engine::SearchResult& r) {
    return BestMove{r.score / 100.0, r.from, r.to, static_cast<PieceCode>(r.placed), g.board(r.board).at(r.from)};
}

std::optional<Winner> com_ban(Game& g) {
    GameState& st = g.state;
    g.com.turnStopped = false;
    showThinking(g);
    startComputerClock(g);
    const Choice choice = isEngineLevel(st.comLevel) ? engineSearch(g) : Choice{comSearch(g)};
    const bool inTime = stopComputerClock(g);
    if (choice.stopped) {
        setTurnAside(g);
        return std::nullopt;
    }
    if (!inTime) {
        g.presentation().消去_思考中(ThinkingStrip::Above);
        return announceTimeUp(g, Colour::Black);
    }
    const std::optional<BoardId> chosen = choice.board;
    if (!chosen) {
        // Black cannot move on either board: the game is drawn.
        return Winner::Draw;
    }
    if (st.moveNumber >= MAX_MOVES) {
        // The history is full; the move cannot be recorded, so it is not made.
        g.sound().dsPlay(g.sounds.forbiddenSound);
        g.dialogs().messageBox("これ以上指せません", "手数", Buttons::Ok);
        st.sideToMove = st.whiteTurn;
        return std::nullopt;
    }
    playMove(g, *chosen, g.com.of(*chosen).best);
    g.clock().wait(0.5);

    recordMove(g);
    clockComputerMove(g);
    g.presentation().描画_手数(st.moveNumber);

    if (st.gameWinner == st.blackTurn) return winnerOf(st.gameMode, Colour::Black);
    announceCheck(g);
    st.sideToMove = st.whiteTurn;
    return std::nullopt;
}

}  // namespace velmora
