#include "flow/shutdown.h"

namespace velmora {

GameOutcome 終了(Game& g, const std::string& winner) {
    if (winner == "引分") {
        g.dialogs().messageBox("引き分けです", "終了", Buttons::Ok);
    } else {
        g.dialogs().messageBox(winner + "の勝ちです", "終了", Buttons::Ok);
    }
    if (g.dialogs().messageBox("続けますか？", "再ゲーム", Buttons::YesNo) == Answer::Yes) {
        初期設定(g);
        g.presentation().画面_再描画();
        return GameOutcome::NewGame;
    }
    endProgram(g);
    return GameOutcome::ProgramEnds;
}

void 終了処理(Game& g) {
    SoundHandles& s = g.sounds;
    SoundPort& port = g.sound();
    for (std::int32_t* buffer : {&s.otherSound, &s.forbiddenSound, &s.pieceSound, &s.bgmSound}) {
        port.dsFree(*buffer);
        *buffer = 0;
    }
    if (s.device != 0) {
        port.dsTerminate(s.device);
        s.device = 0;
    }
}

void endProgram(Game& g) {
    終了処理(g);
    g.shell().quit();
}

}  // namespace velmora
