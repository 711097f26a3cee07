#include "flow/resign_draw.h"

#include "com/draw_offer.h"
#include "command_support.h"
#include "flow/clock_commands.h"
#include "flow/shutdown.h"
#include "position_change.h"

namespace velmora {
namespace {

// Both commands need a game to act on.
bool refusedOutsideGame(Game& g) {
    positionAboutToChange(g);
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
    g.playerClocks.stop(g.pauses().now());
    return 終了(g, winnerOf(st.gameMode, -loser));
}

namespace {

constexpr const char* DRAW_TITLE = "引き分け提案";

GameOutcome drawAgreed(Game& g) {
    g.playerClocks.stop(g.pauses().now());
    return 終了(g, Winner::Draw);
}

}  // namespace

GameOutcome offerDrawClick(Game& g) {
    if (refusedOutsideGame(g)) return GameOutcome::Continues;
    const GameState& st = g.state;
    if (st.gameMode == GameMode::BetweenPeople) {
        const char* offer = st.sideToMove == Side::First ? "先手から引き分けの提案です。後手は受けますか？"
                                                         : "後手から引き分けの提案です。先手は受けますか？";
        if (g.dialogs().messageBox(offer, DRAW_TITLE, Buttons::YesNo) == Answer::Yes) return drawAgreed(g);
        g.dialogs().messageBox("引き分けの提案は断られました", DRAW_TITLE, Buttons::Ok);
        return GameOutcome::Continues;
    }
    // The computer thinks it over beside the game; its answer comes when its search does.
    // An answer within the call gives its outcome to the caller.
    const OutcomeInCall inCall;
    askComputerForDraw(g, [&g, inCall](bool accepted) {
        if (accepted) {
            inCall.set(drawAgreed(g));
        } else {
            g.dialogs().messageBox("ｺﾝﾋﾟｭｰﾀは引き分けを断りました", DRAW_TITLE, Buttons::Ok);
        }
    });
    return inCall.take();
}

}  // namespace velmora
