#include "clock/game_clock.h"

#include <limits>

#include "timing/time_plan.h"

namespace velmora {
bool clockPersonMove(Game& g, Colour mover) { return g.playerClocks.moveMade(mover, g.pauses().now()); }

void startComputerClock(Game& g) {
    if (!g.playerClocks.on()) return;
    g.playerClocks.start(Colour::Black, g.pauses().now(), g.pausedSeconds());
}

bool stopComputerClock(Game& g) {
    PlayerClocks& clock = g.playerClocks;
    if (!clock.on()) return true;
    const double now = g.pauses().now();
    if (clock.running() == Colour::Black) clock.stop(now, g.pausedSeconds());
    return !clock.timeIsUp(Colour::Black, now);
}

void clockComputerMove(Game& g) { g.playerClocks.moveMade(Colour::Black, g.pauses().now()); }

std::optional<Colour> timeUpColour(const Game& g) {
    const PlayerClocks& clock = g.playerClocks;
    const std::optional<Colour> running = clock.running();
    if (!running || !clock.timeIsUp(*running, g.pauses().now())) return std::nullopt;
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
    g.playerClocks.stop(g.pauses().now());
    g.presentation().drawClocks();
    g.messageBox(Text(timeUpText(g, loser)), "時間切れ", Buttons::Ok);
    return winnerOf(g.state.gameMode, -loser);
}

int computerBudgetMs(const Game& g, Colour mover, int levelBudgetMs) {
    const PlayerClocks& clock = g.playerClocks;
    if (!clock.on()) return levelBudgetMs;
    // Each side makes every other move up to the move limit.
    const int movesLeft = (MAX_MOVES - g.state.moveNumber + 1) / 2;
    return plannedMoveMs(clock.remainingMs(mover, g.pauses().now()), clock.control().incrementMs, movesLeft,
                         levelBudgetMs > 0 ? levelBudgetMs : std::numeric_limits<int>::max());
}

}  // namespace velmora
