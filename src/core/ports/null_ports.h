#pragma once
#include <string>
#include <vector>

#include "ports/browser_port.h"
#include "ports/pauses_port.h"
#include "ports/dialogs_port.h"
#include "ports/menu_marks_port.h"
#include "ports/presentation_port.h"
#include "ports/record_panel_port.h"
#include "ports/shell_port.h"
#include "ports/sound_port.h"
#include "ports/version_dialog_port.h"

namespace velmora {

// Ports that do nothing: a headless game (command line, benchmarks).
class NullDialogs : public Dialogs {
public:
    Answer messageBox(const std::string&, const std::string&, Buttons buttons, bool) override {
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    std::optional<PieceCode> choosePromotion(PromotionDialog, int, int) override { return std::nullopt; }
    void showPromotionDialog(PromotionDialog, int, int) override {}
    void highlightPromotionButton(PromotionDialog, PieceCode) override {}
    void closePromotionDialog(PromotionDialog) override {}
    void hidePromotionDialogs() override {}
};

class NullSound : public SoundPort {
public:
    std::int32_t dsInitialize() override { return 0; }
    std::int32_t dsCreateDSB(std::int32_t, const std::string&, std::int32_t) override { return 0; }
    void dsPlay(std::int32_t) override {}
    void dsPlayLooping(std::int32_t) override {}
    void dsStop(std::int32_t) override {}
    void dsFree(std::int32_t) override {}
    void dsTerminate(std::int32_t) override {}
};

class NullPauses : public Pauses {
public:
    void wait(double) override {}
    void waitTick() override {}
};

class NullShell : public Shell {
public:
    void quit() override { quitRequested = true; }
    void warn(const std::string& line) override { warnings.push_back(line); }
    bool quitRequested = false;
    std::vector<std::string> warnings;
};

class NullMenuMarks : public MenuMarks {
public:
    void setChecked(MenuItem, bool) override {}
    bool isChecked(MenuItem) const override { return false; }
};

class NullBrowser : public Browser {
public:
    bool open(const std::string&) override { return false; }
};

class NullVersionDialog : public VersionDialog {
public:
    void showVersionDialog() override {}
};

class NullRecordPanel : public RecordPanel {
public:
    void 描画_可視(bool, bool, bool) override {}
    void 描画_棋譜_IO(bool) override {}
    std::string fieldText(RecordField) override { return ""; }
    std::filesystem::path folder() override { return "."; }
    void refreshFiles() override {}
};

class NullPresentation : public Presentation {
public:
    void 画面_再描画() override {}
    void 描画_桝駒(BoardId, Square) override {}
    void 描画_駒点滅(BoardId, Square, int) override {}
    void 描画_桝駒成アニメ(PieceCode, BoardId) override {}
    void 描画_桝輪郭(BoardId, int, int, int) override {}
    void 描画_背景セル(int, int) override {}
    void 描画_背景(int) override {}
    void 消去_思考中(ThinkingStrip) override {}
    void 描画_思考中() override {}
    void 描画_移動結果(BoardId, Square, PieceCode, int) override {}
    void 描画_手数(int) override {}
    void 描画_レベル(int) override {}
    void 描画_盤(BoardId) override {}
    void 描画_チェス盤桝(BoardId) override {}
    void 描画_移動可能桝色(BoardId, Square, int, PieceCode) override {}
    void 描画_棋譜読込み部分消去() override {}
    void 描画_ハンデレベル(int) override {}
    void 描画_文字(double, double, const std::string&, int, int) override {}
    void repaint() override {}
};

}  // namespace velmora
