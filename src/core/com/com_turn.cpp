#include "com/com_turn.h"

#include <utility>

#include "clock/game_clock.h"
#include "com/com_state.h"
#include "com/level.h"
#include "com/one_ply_search.h"
#include "engine/position.h"
#include "influence/survey.h"
#include "ports/palette_port.h"
#include "position_change.h"
#include "record/notation.h"
#include "rules/end_tests.h"
#include "rules/execution.h"
#include "rules/legality.h"

namespace velmora {
namespace {

using Turn = ComState::Turn;

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
        g.state.gameWinner = g.state.blackSide;
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

// The turn `n` is the one under way and stands at `phase`.
bool stillAt(const Game& g, std::uint64_t n, Turn phase) { return comState(g).turnNumber == n && comState(g).turn == phase; }

void endTurn(Game& g, std::optional<Winner> winner) {
    ComState& c = comState(g);
    c.turn = Turn::None;
    c.search = nullptr;
    if (TurnEnded ended = std::exchange(c.turnEnded, nullptr)) ended(winner);
}

// The turn has done all it does to the game; it ends once the screen has shown it.
void showThenEnd(Game& g, std::optional<Winner> winner) {
    ComState& c = comState(g);
    c.turn = Turn::Showing;
    const std::uint64_t n = c.turnNumber;
    g.sequencer().then([&g, n, winner] {
        if (stillAt(g, n, Turn::Showing)) endTurn(g, winner);
    });
}

// The search has chosen (or found nothing on either board): the move is made,
// stored and announced at once; the screen follows at its own pace.
void play(Game& g, std::optional<BoardId> chosen) {
    GameState& st = g.state;
    const bool inTime = stopComputerClock(g);
    if (!inTime) {
        g.presentation().消去_思考中(ThinkingStrip::Above);
        showThenEnd(g, announceTimeUp(g, Colour::Black));
        return;
    }
    if (!chosen) {
        // Black cannot move on either board: the game is drawn.
        showThenEnd(g, Winner::Draw);
        return;
    }
    if (st.moveNumber >= MAX_MOVES) {
        // The history is full; the move cannot be recorded, so it is not made.
        g.sound().dsPlay(g.sounds.forbiddenSound);
        g.dialogs().messageBox("これ以上指せません", "手数", Buttons::Ok);
        st.sideToMove = st.whiteSide;
        showThenEnd(g, std::nullopt);
        return;
    }
    playMove(g, *chosen, comState(g).of(*chosen).best);
    g.pauses().wait(0.5);

    recordMove(g);
    clockComputerMove(g);
    g.presentation().描画_手数(st.moveNumber);

    if (st.gameWinner == st.blackSide) {
        showThenEnd(g, winnerOf(st.gameMode, Colour::Black));
        return;
    }
    announceCheck(g);
    st.sideToMove = st.whiteSide;
    showThenEnd(g, std::nullopt);
}

// Whether the engine's answer is a move the rules allow black here and now.
bool acceptedByRules(Game& g, const engine::SearchResult& r) {
    BoardState& bs = g.side(r.board);
    const PieceCode moving = bs.board.at(r.from);
    return isBlack(moving) && 移動チェック(bs, r.from, r.to, moving);
}

void engineAnswered(Game& g, const std::optional<engine::SearchResult>& r) {
    ComState& c = comState(g);
    c.search = nullptr;
    const bool unchanged = g.board(BoardId::LEFT) == c.of(BoardId::LEFT).boardBefore &&
                           g.board(BoardId::RIGHT) == c.of(BoardId::RIGHT).boardBefore;
    // Stopped, or an answer for boards that are no longer these: nothing is played.
    if (!r || !unchanged || (r->found() && !acceptedByRules(g, *r))) {
        const TurnEnded ended = std::exchange(c.turnEnded, nullptr);
        setComputerTurnAside(g);
        if (ended) ended(std::nullopt);
        return;
    }
    if (!r->found()) {
        play(g, std::nullopt);
        return;
    }
    c.of(r->board).best = bestMoveOf(g, *r);
    // Taking the white king wins, as the one-move levels decide it too.
    if (g.board(r->board).at(r->to) == WHITE_KING) g.state.gameWinner = g.state.blackSide;
    play(g, r->board);
}

// The one-move levels: the right board after its pause, then the move.
void searchRight(Game& g) {
    // The right board's terms and the left-board probes see the left
    // board's real position, not the last candidate tried there.
    勢力調査(g, BoardId::LEFT);
    prepareBoard(g, BoardId::RIGHT);
    searchMoves(g, BoardId::RIGHT);
    const BestMove& left = comState(g).of(BoardId::LEFT).best;
    const BestMove& right = comState(g).of(BoardId::RIGHT).best;
    if (!left.found() && !right.found()) {
        play(g, std::nullopt);
        return;
    }
    play(g, left.score >= right.score ? BoardId::LEFT : BoardId::RIGHT);
}

// The one-move levels: the left board after its pause, then the right
// board's pause. Each board is prepared in the step that searches it, so
// nothing done between the steps can leave it a stale survey.
void searchLeft(Game& g) {
    prepareTurn(g);
    prepareBoard(g, BoardId::LEFT);
    searchMoves(g, BoardId::LEFT);
    g.presentation().repaint();
    g.pauses().wait(0.3);
    const std::uint64_t n = comState(g).turnNumber;
    g.sequencer().then([&g, n] {
        if (stillAt(g, n, Turn::Thinking)) searchRight(g);
    });
}

void startTurn(Game& g) {
    ComState& c = comState(g);
    showThinking(g);
    startComputerClock(g);
    const std::uint64_t n = c.turnNumber;
    if (isEngineLevel(g.state.comLevel)) {
        // The boards the engine searches: its answer is for these only.
        c.of(BoardId::LEFT).boardBefore = g.board(BoardId::LEFT);
        c.of(BoardId::RIGHT).boardBefore = g.board(BoardId::RIGHT);
        std::shared_ptr<SearchTask> task = g.engineRunner().start(
            engine::positionFromGame(g, engine::BLACK), levelLimits(g, g.state.comLevel, Colour::Black),
            [&g, n](std::optional<engine::SearchResult> r) {
                if (stillAt(g, n, Turn::Thinking)) engineAnswered(g, r);
            });
        // A search that answered within the call has played its move already.
        if (!task->answered()) c.search = std::move(task);
        return;
    }
    g.presentation().repaint();
    g.pauses().wait(0.3);
    g.sequencer().then([&g, n] {
        if (stillAt(g, n, Turn::Thinking)) searchLeft(g);
    });
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
    const int budget = comState(g).engineTimeMs > 0 ? comState(g).engineTimeMs : strength.timeMs;
    engine::SearchLimits limits = engineLimits(g, computerBudgetMs(g, mover, budget));
    limits.maxDepth = strength.maxDepth;
    limits.maxNodes = strength.maxNodes;
    limits.rootSpread = strength.rootSpread;
    limits.seed = comState(g).nextSeed();
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

void beginComputerTurn(Game& g, TurnEnded ended) {
    ComState& c = comState(g);
    // A turn still being shown ends first, as the screen catches up.
    if (c.turn == Turn::Showing) g.sequencer().catchUp();
    c.turnStopped = false;
    c.turn = Turn::Thinking;
    c.turnEnded = std::move(ended);
    const std::uint64_t n = ++c.turnNumber;
    // "思考中" comes once the screen has shown the move before.
    g.sequencer().then([&g, n] {
        if (stillAt(g, n, Turn::Thinking)) startTurn(g);
    });
}

std::optional<Winner> com_ban(Game& g) {
    std::optional<Winner> result;
    beginComputerTurn(g, [&result](std::optional<Winner> w) { result = w; });
    return result;
}

}  // namespace velmora
