#include "flow/shutdown.h"

#include "com/com_turn.h"
#include "flow/clock_commands.h"
#include "io/file_reason.h"
#include "options/settings_file.h"
#include "position_change.h"
#include "record/record_commands.h"
#include "record/resume.h"

namespace velmora {

std::string resultText(Winner winner) {
    switch (winner) {
        case Winner::Draw: return "引き分けです";
        case Winner::Person: return "あなたの勝ちです";
        case Winner::Computer: return "ｺﾝﾋﾟｭｰﾀの勝ちです";
        case Winner::FirstPlayer: return "先手の勝ちです";
        case Winner::SecondPlayer: return "後手の勝ちです";
    }
    return "";
}

GameOutcome 終了(Game& g, Winner winner) {
    g.messageBox(Text(resultText(winner)), "終了", Buttons::Ok);
    if (g.messageBox("続けますか？", "再ゲーム", Buttons::YesNo) == Answer::Yes) {
        初期設定(g);
        g.presentation().画面_再描画();
        return GameOutcome::NewGame;
    }
    endProgram(g);
    return GameOutcome::ProgramEnds;
}

GameOutcome finishTurn(Game& g, std::optional<Winner> winner) {
    return winner ? 終了(g, *winner) : GameOutcome::Continues;
}

GameOutcome playComputerTurn(Game& g) {
    const OutcomeInCall inCall;
    beginComputerTurn(g, [&g, inCall](std::optional<Winner> winner) { inCall.set(finishTurn(g, winner)); });
    return inCall.take();
}

GameOutcome endWhenShown(Game& g, Winner winner) {
    const OutcomeInCall inCall;
    g.sequencer().then([&g, inCall, winner] { inCall.set(終了(g, winner)); });
    return inCall.take();
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

void endProgram(Game& g, EndCause cause) {
    // A game stepped back or stopped on the computer's move was being played too.
    const GameState& st = g.state;
    const bool underWay = gameUnderWay(g) || (!st.recordMode && st.gameWinner == Side::None &&
                                             st.moveNumber != st.lastMoveNumber);
    // Nothing more is searched or shown: the program ends now, from any state.
    stopEverything(g);
    if (const std::optional<KeepFailure> failure = writeResumeRecord(g, underWay)) {
        const std::string file = failure->path.string();
        if (cause == EndCause::Signal) {
            g.shell().warn(file + ": cannot keep the unsaved game: " + fileReasonTextEnglish(failure->reason));
        } else {
            g.messageBox(recordNotWrittenText(file, Text(fileReasonText(failure->reason))), "棋譜", Buttons::Ok);
        }
    }
    if (g.options.windowPlaceChanged) {
        g.options.windowPlaceChanged = false;
        書込_環境設定ファイル(g);
    }
    終了処理(g);
    g.shell().quit();
}

}  // namespace velmora
