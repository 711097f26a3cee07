#include "flow/resign_draw.h"

#include "clock/game_clock.h"
#include "com/draw_offer.h"
#include "command_support.h"
#include "flow/shutdown.h"

namespace velmora {
namespace {

// Both commands need a game to act on.
bool refusedOutsideGame(Game& g) {
    hideRecordPanel(g);
    if (gameUnderWay(g)) return false;
    refuse(g, "「対局」で始めて下さい", "開始");
    return true;
}

}  // namespace

GameOutcome resignClick(Game& g) {
    if (refusedOutsideGame(g)) return GameOutcome::Continues;
    if (g.dialogs().messageBox("投了しますか？", "投了", Buttons::YesNo) != Answer::Yes) return GameOutcome::Continues;
    const GameState& st = g.state;
    // Against the computer it is always the person (white) who gives up.
    const Colour loser = st.gameMode == GameMode::AgainstComputer ? Colour::White
                                                                  : colourOf(st, st.sideToMove).value_or(Colour::White);
    g.chessClock.stop(g.clock().now());
    return 終了(g, winnerOf(st.gameMode, -loser));
}

GameOutcome offerDrawClick(Game& g) {
    if (refusedOutsideGame(g)) return GameOutcome::Continues;
    const GameState& st = g.state;
    const char* title = "引き分け提案";
    bool accepted = false;
    if (st.gameMode == GameMode::BetweenPeople) {
        const char* offer = st.sideToMove == Side::First ? "先手から引き分けの提案です。後手は受けますか？"
                                                         : "後手から引き分けの提案です。先手は受けますか？";
        accepted = g.dialogs().messageBox(offer, title, Buttons::YesNo) == Answer::Yes;
        if (!accepted) g.dialogs().messageBox("引き分けの提案は断られました", title, Buttons::Ok);
    } else {
        accepted = computerAcceptsDraw(g);
        if (!accepted) g.dialogs().messageBox("ｺﾝﾋﾟｭｰﾀは引き分けを断りました", title, Buttons::Ok);
    }
    if (!accepted) return GameOutcome::Continues;
    g.chessClock.stop(g.clock().now());
    return 終了(g, Winner::Draw);
}

}  // namespace velmora
