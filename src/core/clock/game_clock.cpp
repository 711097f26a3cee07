#include "clock/game_clock.h"

#include "clock/time_plan.h"

namespace velmora {
namespace {

// The colour of a person who is to move, if any.
std::optional<Colour> personToMove(const Game& g) {
    const GameState& st = g.state;
    if (st.sideToMove == Side::None || st.gameWinner != Side::None || st.recordMode) return std::nullopt;
    // The computer's turn lasts until the screen has shown its move.
    if (g.com.turn != ComState::Turn::None) return std::nullopt;
    // Stepped back or forward, the game stands paused until a move is made
    // there or the person takes it up again.
    if (st.moveNumber != st.lastMoveNumber && st.moveNumber != g.playResumedAt) return std::nullopt;
    const std::optional<Colour> c = colourOf(st, st.sideToMove);
    // Against the computer the person plays white.
    if (st.gameMode == GameMode::AgainstComputer && c != Colour::White) return std::nullopt;
    return c;
}

}  // namespace

bool gameUnderWay(const Game& g) {
    const GameState& st = g.state;
    if (st.recordMode || st.gameWinner != Side::None) return false;
    if (st.sideToMove != Side::None || g.com.turn != ComState::Turn::None) return true;
    return g.com.turnStopped && st.gameMode == GameMode::AgainstComputer && st.moveNumber == st.lastMoveNumber;
}

void followClock(Game& g) {
    ChessClock& clock = g.chessClock;
    if (!clock.on()) return;
    const double now = g.clock().now();
    const std::optional<Colour> person = personToMove(g);
    if (person) {
        clock.start(*person, now);
    } else {
        clock.stop(now);
    }
}

bool clockPersonMove(Game& g, Colour mover) { return g.chessClock.moveMade(mover, g.clock().now()); }

void startComputerClock(Game& g) {
    if (!g.chessClock.on()) return;
    g.chessClock.start(Colour::Black, g.clock().now(), g.pausedSeconds());
}

bool stopComputerClock(Game& g) {
    ChessClock& clock = g.chessClock;
    if (!clock.on()) return true;
    const double now = g.clock().now();
    if (clock.running() == Colour::Black) clock.stop(now, g.pausedSeconds());
    return !clock.timeIsUp(Colour::Black, now);
}

void clockComputerMove(Game& g) { g.chessClock.moveMade(Colour::Black, g.clock().now()); }

std::optional<Colour> timeUpColour(const Game& g) {
    const ChessClock& clock = g.chessClock;
    const std::optional<Colour> running = clock.running();
    if (!running || !clock.timeIsUp(*running, g.clock().now())) return std::nullopt;
    return running;
}

std::string timeUpText(const Game& g, Colour loser) {
    const GameState& st = g.state;
    if (st.gameMode == GameMode::AgainstComputer) {
        return loser == Colour::White ? "あなたの時間切れです" : "ｺﾝﾋﾟｭｰﾀの時間切れです";
    }
    return sideOf(st, loser) == Side::First ? "先手の時間切れです" : "後手の時間切れです";
}

Winner announceTimeUp(Game& g, Colour loser) {
    g.chessClock.stop(g.clock().now());
    g.presentation().drawClocks();
    g.dialogs().messageBox(timeUpText(g, loser), "時間切れ", Buttons::Ok);
    return winnerOf(g.state.gameMode, -loser);
}

int computerBudgetMs(const Game& g, Colour mover, int levelBudgetMs) {
    const ChessClock& clock = g.chessClock;
    if (!clock.on()) return levelBudgetMs;
    // Each side makes every other move up to the move limit.
    const int movesLeft = (MAX_MOVES - g.state.moveNumber + 1) / 2;
    return plannedMoveMs(clock.remainingMs(mover, g.clock().now()), clock.control().incrementMs, movesLeft,
                         levelBudgetMs);
}

}  // namespace velmora
