#pragma once
// Ports that record what the core asks of them, and answer from a script.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game.h"
#include "ports/canvas_port.h"

namespace velmora::testing {

struct Box {
    std::string text;
    std::string title;
    Buttons buttons;
    bool warningIcon = false;
};

class ScriptedDialogs : public Dialogs {
public:
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, bool warningIcon) override {
        boxes.push_back({text, title, buttons, warningIcon});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<PieceCode> choosePromotion(PromotionDialog dialog, int left, int top) override {
        promotions.push_back({dialog, left, top});
        if (choices.empty()) return std::nullopt;
        const PieceCode c = choices.front();
        choices.pop_front();
        return c;
    }
    void showPromotionDialog(PromotionDialog d, int left, int top) override { shown.push_back({d, left, top}); }
    void highlightPromotionButton(PromotionDialog, PieceCode button) override { highlighted.push_back(button); }
    void closePromotionDialog(PromotionDialog) override { ++closed; }
    void hidePromotionDialogs() override { ++hidden; }
    // Each box shown as "title|text", in order.
    std::vector<std::string> titledTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : boxes) texts.push_back(b.title + "|" + b.text);
        return texts;
    }
    std::optional<TimeControl> askTimeControl(TimeControl current) override {
        askedTimeControls.push_back(current);
        if (timeControls.empty()) return std::nullopt;
        const std::optional<TimeControl> c = timeControls.front();
        timeControls.pop_front();
        return c;
    }
    struct Promotion {
        PromotionDialog dialog;
        int left, top;
    };
    std::deque<Answer> answers;      // for Yes/No boxes
    std::deque<PieceCode> choices;   // for piece-choice dialogs
    std::deque<std::optional<TimeControl>> timeControls;  // for the time control dialog
    std::vector<TimeControl> askedTimeControls;
    std::vector<Box> boxes;
    std::vector<Promotion> promotions;
    std::vector<Promotion> shown;
    std::vector<PieceCode> highlighted;
    int closed = 0;
    int hidden = 0;
};

// Records every drawing call as a short line, e.g. "blink 2 4 5 2".
class RecordingPresentation : public Presentation {
public:
    void 画面_再描画() override { log("redraw"); }
    void 描画_桝駒(BoardId b, Square s) override { log("square " + n(b) + " " + n(s)); }
    void 描画_駒点滅(BoardId b, Square s, int c) override { log("blink " + n(b) + " " + n(s) + " " + n(c)); }
    void 描画_桝駒成アニメ(PieceCode p, BoardId b) override { log("promotion " + n(p) + " " + n(b)); }
    void 描画_桝輪郭(BoardId b, int colour, int c, int r) override {
        log("outline " + n(b) + " " + n(colour) + " " + n(c) + " " + n(r));
    }
    void 描画_背景セル(int c, int r) override { log("background " + n(c) + " " + n(r)); }
    void 描画_背景(int code) override { log("tiles " + n(code)); }
    void 消去_思考中(ThinkingStrip strip) override {
        log(std::string("erase ") + (strip == ThinkingStrip::Above ? "上" : "下"));
    }
    void 描画_思考中() override { log("thinking"); }
    void 描画_移動結果(BoardId b, Square s, PieceCode p, int colour) override {
        log("result " + n(b) + " " + n(s) + " " + n(p) + " " + n(colour));
    }
    void 描画_手数(int m) override { log("count " + n(m)); }
    void 描画_レベル(int level) override { log("level " + n(level)); }
    void 描画_盤(BoardId b) override { log("board " + n(b)); }
    void 描画_チェス盤桝(BoardId b) override { log("outlines " + n(b)); }
    void 描画_移動可能桝色(BoardId b, Square s, int colour, PieceCode p) override {
        log("targets " + n(b) + " " + n(s) + " " + n(colour) + " " + n(p));
    }
    void 描画_棋譜読込み部分消去() override { log("erase record area"); }
    void 描画_ハンデレベル(int code) override { log("handicap " + n(code)); }
    void 描画_文字(double x, double y, const std::string& text, int, int) override {
        log("text " + n(static_cast<int>(x)) + " " + n(static_cast<int>(y)) + " " + text);
    }
    void repaint() override { log("repaint"); }

    bool saw(const std::string& line) const {
        for (const auto& l : lines) {
            if (l == line) return true;
        }
        return false;
    }
    std::vector<std::string> lines;

private:
    void log(std::string line) { lines.push_back(std::move(line)); }
    static std::string n(int v) { return std::to_string(v); }
    static std::string n(BoardId b) { return std::to_string(static_cast<int>(b)); }
    static std::string n(Square s) { return n(s.file) + " " + n(s.rank); }
};

class RecordingSound : public SoundPort {
public:
    std::int32_t dsInitialize() override { return 1; }
    std::int32_t dsCreateDSB(std::int32_t, const std::string&, std::int32_t) override { return ++next; }
    void dsPlay(std::int32_t b) override { played.push_back(b); }
    void dsPlayLooping(std::int32_t b) override { looping.push_back(b); }
    void dsStop(std::int32_t b) override { stopped.push_back(b); }
    void dsFree(std::int32_t b) override { freed.push_back(b); }
    void dsTerminate(std::int32_t d) override { terminated.push_back(d); }
    std::int32_t next = 0;
    std::vector<std::int32_t> played, looping, stopped, freed, terminated;
};

class RecordingPauses : public Pauses {
public:
    // Time moves on only by the waits and by what a test adds to `time`.
    void wait(double s) override {
        waits.push_back(s);
        time += s;
    }
    void waitTick() override { ++ticks; }
    double now() const override { return time; }
    std::vector<double> waits;
    int ticks = 0;
    double time = 1000;
};

// Keeps the marks by the items' object names, as the window's menus do.
class RecordingMarks : public MenuMarks {
public:
    void setChecked(MenuItem item, bool checked) override { setChecked(menuItemName(item), checked); }
    bool isChecked(MenuItem item) const override { return isChecked(menuItemName(item)); }
    void setChecked(const std::string& name, bool checked) { marks[name] = checked; }
    bool isChecked(const std::string& name) const {
        const auto it = marks.find(name);
        return it != marks.end() && it->second;
    }
    std::map<std::string, bool> marks;
};

// A game wired to all the recording fakes.
// A canvas that draws nothing, for tests that count the painter's pauses or
// keep only what it hands on.
class BlankCanvas : public Canvas {
public:
    void drawPicture(int, double, double) override {}
    void drawOutline(double, double, double, double, int) override {}
    void drawText(double, double, const std::string&, int, bool, int) override {}
    void fillBackground(int) override {}
    void refresh() override {}
};

struct FakeWorld {
    // The game's own engine, or one standing in for the window's.
    explicit FakeWorld(EngineRunner* engine = nullptr) : game(ports(engine)) {}

    ScriptedDialogs dialogs;
    RecordingPresentation view;
    RecordingSound sound;
    RecordingPauses pauses;
    NullShell shell;
    RecordingMarks marks;
    Game game;

private:
    Ports ports(EngineRunner* engine) {
        Ports p{&dialogs, &view, &sound, &pauses, &shell, &marks};
        p.engineRunner = engine;
        return p;
    }
};

// Two worlds that took the same steps by different routes (a drag and two
// clicks, a click in the move list and 戻/進) must have ended alike: boards,
// snapshots, counts, turn, selections, and everything drawn, played and asked.
inline void expectSameOutcome(const FakeWorld& x, const FakeWorld& y) {
    const Game& a = x.game;
    const Game& b = y.game;
    EXPECT_EQ(a.board(BoardId::LEFT), b.board(BoardId::LEFT));
    EXPECT_EQ(a.board(BoardId::RIGHT), b.board(BoardId::RIGHT));
    EXPECT_EQ(a.state.moveNumber, b.state.moveNumber);
    EXPECT_EQ(a.state.lastMoveNumber, b.state.lastMoveNumber);
    for (int n = 0; n <= a.state.lastMoveNumber + 1 && History::valid(n); ++n) {
        EXPECT_EQ(a.history.left[n], b.history.left[n]) << n;
        EXPECT_EQ(a.history.right[n], b.history.right[n]) << n;
    }
    EXPECT_EQ(a.state.sideToMove, b.state.sideToMove);
    EXPECT_EQ(a.state.whiteInCheck, b.state.whiteInCheck);
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        EXPECT_EQ(a.selection(id).pieceSelected, b.selection(id).pieceSelected);
    }
    EXPECT_EQ(x.view.lines, y.view.lines);
    EXPECT_EQ(x.sound.played, y.sound.played);
    ASSERT_EQ(x.dialogs.boxes.size(), y.dialogs.boxes.size());
    for (std::size_t k = 0; k < x.dialogs.boxes.size(); ++k) {
        EXPECT_EQ(x.dialogs.boxes[k].text, y.dialogs.boxes[k].text);
        EXPECT_EQ(x.dialogs.boxes[k].title, y.dialogs.boxes[k].title);
    }
}

}  // namespace velmora::testing
