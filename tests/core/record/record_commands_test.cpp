// Saving and loading game records through the panel's commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "draw/board_painter.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "io/file_reason.h"
#include "record/cp932.h"
#include "record/notation.h"
#include "record/record_commands.h"
#include "record/record_file.h"
#include "record/replay.h"
#include "rules/setup.h"
#include "test_support.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class FakePanel : public RecordPanel {
public:
    void 描画_可視(bool d, bool f, bool l) override { lists = {d, f, l}; }
    void 描画_棋譜_IO(bool shown) override { entryShown = shown; }
    std::string fieldText(RecordField k) override { return fields[static_cast<int>(k)]; }
    fs::path folder() override { return dir; }
    void refreshFiles() override { ++refreshed; }
    std::array<bool, 3> lists{};
    bool entryShown = false;
    std::string fields[5];
    fs::path dir;
    int refreshed = 0;
};

struct RecordWorld {
    testing::ScriptedDialogs dialogs;
    testing::RecordingPresentation view;
    testing::RecordingSound sound;
    FakePanel panel;
    Game game{Ports{.dialogs = &dialogs, .presentation = &view, .sound = &sound, .recordPanel = &panel}};
    testing::ScratchFolder scratch;
    const fs::path dir = scratch.path;

    RecordWorld() {
        panel.dir = dir;
        game.sounds = {1, 11, 12, 13, 14};
        初期設定(game);
    }

    // A game of `moves` moves: each snapshot differs from the last by one pawn step.
    void playMoves(int moves) {
        GameState& st = game.state;
        st.whiteSide = Side::First;
        st.blackSide = Side::Second;
        for (int n = 1; n <= moves; ++n) {
            Board& b = game.board(n % 2 ? BoardId::LEFT : BoardId::RIGHT);
            const int file = (n - 1) / 2 % 8 + 1;
            if (n % 2) {
                b.at(file, 7) = EMPTY;
                b.at(file, 6) = WHITE_PAWN;
            } else {
                b.at(file, 2) = EMPTY;
                b.at(file, 3) = BLACK_PAWN;
            }
            st.moveNumber = st.lastMoveNumber = n;
            手順保存(game, n);
        }
    }
    std::string lastBox() const { return dialogs.boxes.empty() ? "" : dialogs.boxes.back().text; }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : dialogs.boxes) texts.push_back(b.text);
        return texts;
    }
    void write(const std::string& name, const std::string& bytes) { scratch.write(name, bytes); }
};

using testing::readBytes;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

TEST(SaveRecord, WritesHeadersAndOneLinePerShownMove) {
    RecordWorld w;
    w.playMoves(3);
    w.panel.fields[1] = "game";
    w.panel.fields[2] = "練習";
    w.panel.fields[3] = "先手さん";
    w.panel.fields[4] = "後手さん";
    Command1_Click(w.game);
    EXPECT_EQ(w.lastBox(), "棋譜を書き込みました");
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().title, "  ");
    EXPECT_EQ(w.panel.refreshed, 1);
    const auto saved = lines(readBytes(w.dir / "game.棋譜"));
    ASSERT_EQ(saved.size(), 3u + 4u);
    EXPECT_EQ(cp932ToUtf8(saved[0]), "練習");
    // White moved first: line 2 (black's player) is the second player's box.
    EXPECT_EQ(cp932ToUtf8(saved[1]), "後手さん");
    EXPECT_EQ(cp932ToUtf8(saved[2]), "先手さん");
    EXPECT_EQ(saved[6], formatSnapshotLine(w.game.history.left[3], w.game.history.right[3]));
}

TEST(SaveRecord, AfterSteppingBackOnlyTheShownMovesAreWritten) {
    RecordWorld w;
    w.playMoves(10);
    w.game.state.moveNumber = 6;
    w.panel.fields[1] = "back";
    Command1_Click(w.game);
    EXPECT_EQ(lines(readBytes(w.dir / "back.棋譜")).size(), 3u + 7u);
}

TEST(SaveRecord, RefusalsChangeNothing) {
    const struct {
        std::string name;
        int moves;
        std::string message;
    } cases[] = {
        {"", 2, "ﾌｧｲﾙ名が入力されていません"},   {"   ", 2, "ﾌｧｲﾙ名が正しくありません"},
        {"a/b", 2, "ﾌｧｲﾙ名が正しくありません"},  {"..", 2, "ﾌｧｲﾙ名が正しくありません"},
        {".", 2, "ﾌｧｲﾙ名が正しくありません"},    {"x\\y", 2, "ﾌｧｲﾙ名が正しくありません"},
        {"fine", 0, "保存するデータがありません"},
    };
    for (const auto& c : cases) {
        RecordWorld w;
        w.playMoves(c.moves);
        w.panel.fields[1] = c.name;
        Command1_Click(w.game);
        EXPECT_EQ(w.lastBox(), c.message) << "'" << c.name << "'";
        EXPECT_EQ(w.sound.played, (std::vector<std::int32_t>{12})) << c.name;
        EXPECT_TRUE(fs::is_empty(w.dir)) << c.name;
    }
}

TEST(SaveRecord, PanelIsRefusedAfterTurningOrHandicap) {
    RecordWorld w;
    w.game.state.reversed = true;
    KIFU_WRITE_Click(w.game);
    EXPECT_EQ(w.lastBox(), "反転後は書き込みできません");
    w.game.state.reversed = false;
    w.game.state.handicapApplied = true;
    KIFU_WRITE_Click(w.game);
    EXPECT_EQ(w.lastBox(), "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
    EXPECT_FALSE(w.panel.entryShown);
    w.game.state.handicapApplied = false;
    KIFU_WRITE_Click(w.game);
    EXPECT_TRUE(w.panel.entryShown);
    EXPECT_EQ(w.panel.lists, (std::array<bool, 3>{true, true, false}));
}

TEST(SaveRecord, AReadOnlyRecordIsKeptAndTheBoxSaysWhyInJapanese) {
    RecordWorld w;
    w.playMoves(2);
    w.write("kept.棋譜", "old");
    fs::permissions(w.dir / "kept.棋譜", fs::perms(0444));
    w.panel.fields[1] = "kept";
    Command1_Click(w.game);
    EXPECT_EQ(readBytes(w.dir / "kept.棋譜"), "old");
    EXPECT_EQ(w.lastBox(), "棋譜ﾌｧｲﾙを書き込めませんでした\n" + elidePath((w.dir / "kept.棋譜").string()) +
                               "\nｱｸｾｽが許可されていません");
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().title, "棋譜");
    EXPECT_EQ(w.panel.refreshed, 0);
}

TEST(SaveRecord, TheLongestNameTheFolderAllowsSaves) {
    RecordWorld w;
    w.playMoves(1);
    w.panel.fields[1] = std::string(255 - std::string(".棋譜").size(), 'a');
    Command1_Click(w.game);
    EXPECT_EQ(w.lastBox(), "棋譜を書き込みました");
    EXPECT_TRUE(fs::is_regular_file(w.dir / (w.panel.fields[1] + ".棋譜")));
    EXPECT_EQ(std::distance(fs::directory_iterator(w.dir), fs::directory_iterator{}), 1);
}

TEST(SaveRecord, AHeaderWithoutACp932FormIsReportedAndNothingWritten) {
    RecordWorld w;
    w.playMoves(1);
    w.panel.fields[1] = "emoji";
    w.panel.fields[2] = "対局\xF0\x9F\x98\x80";
    Command1_Click(w.game);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().title, "棋譜");
    EXPECT_NE(w.lastBox().find("棋譜ﾌｧｲﾙを書き込めませんでした"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(w.dir));
}

TEST(LoadRecord, RoundTripStepsThroughIdenticalSnapshots) {
    RecordWorld w;
    w.playMoves(5);
    w.panel.fields[1] = "trip";
    Command1_Click(w.game);
    const History saved = w.game.history;

    RecordWorld r;
    r.panel.dir = w.dir;
    File1_Click(r.game, "trip.棋譜");
    EXPECT_EQ(r.boxTexts(), (std::vector<std::string>{" 読み込みました", "棋譜を '進 'で進めて下さい"}));
    EXPECT_TRUE(r.game.state.recordMode);
    EXPECT_EQ(r.game.state.lastMoveNumber, 5);
    EXPECT_EQ(r.game.state.moveNumber, 0);
    EXPECT_FALSE(r.game.state.kingQueenSwapped);
    for (int n = 1; n <= 5; ++n) {
        AFTER_Click(r.game);
        EXPECT_EQ(r.game.board(BoardId::LEFT), saved.left[n]);
        EXPECT_EQ(r.game.board(BoardId::RIGHT), saved.right[n]);
    }
}

TEST(LoadRecord, HandWrittenCp932FileWithTheFieldLayout) {
    RecordWorld w;
    Board start;
    setStartPosition(start);
    Board moved = start;
    moved.at(2, 2) = EMPTY;
    moved.at(2, 3) = BLACK_PAWN;  // black moved first
    std::string file = *utf8ToCp932("名局①") + "\r\n" + *utf8ToCp932("ｺﾝﾋﾟｭｰﾀ") + "\r\n" + *utf8ToCp932("あなた") + "\r\n";
    file += formatSnapshotLine(start, start) + "\r\n" + formatSnapshotLine(moved, start) + "\r\n";
    w.write("hand.棋譜", file);
    File1_Click(w.game, "hand.棋譜");
    EXPECT_EQ(w.game.state.lastMoveNumber, 1);
    EXPECT_TRUE(w.game.state.kingQueenSwapped);
    EXPECT_EQ(w.game.state.blackSide, Side::First);
    EXPECT_TRUE(w.view.saw("text 800 6350 名局①"));
    EXPECT_TRUE(w.view.saw("text 3700 100 ｺﾝﾋﾟｭｰﾀ"));
    EXPECT_TRUE(w.view.saw("text 3700 6350 あなた"));
}

// What the person sees when reading stops at a line: that line's number in
// one box, and the snapshots before it stay loaded.
std::vector<std::string> stoppedAt(int line) { return {"棋譜ﾌｧｲﾙの " + std::to_string(line) + " 行目が読めません"}; }

TEST(LoadRecord, BadFilesGiveTheirMessages) {
    Board start;
    setStartPosition(start);
    const std::string good = formatSnapshotLine(start, start);
    std::string outOfRange = good;
    outOfRange.replace(0, 4, "   9");
    std::string hex = good;
    hex.replace(0, 4, "0x04");  // reads as no number, not as an empty square
    std::string manyLines = "t\nb\nw\n";
    for (int n = 0; n < 505; ++n) manyLines += good + "\n";
    std::string utf16 = "\xff\xfe";
    for (const char c : "t\r\nb\r\nw\r\n" + good + "\r\n" + good + "\r\n") utf16 += std::string{c, '\0'};
    const std::vector<std::string> loaded = {" 読み込みました", "棋譜を '進 'で進めて下さい"};
    const struct {
        std::string name;
        std::string content;
        int lastMoveNumber;
        std::vector<std::string> messages;
    } cases[] = {
        {"headers", "t\r\nb\r\nw\r\n", 0, {"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"}},
        {"empty", "", 0, {"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"}},
        {"start", "t\r\nb\r\nw\r\n" + good + "\r\n", 0, {"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"}},
        {"trailing", "t\r\nb\r\nw\r\n" + good + "\r\n" + good + "\r\n\r\n\n\r\n", 1, loaded},
        {"range", "t\nb\nw\n" + good + "\n" + good + "\n" + outOfRange + "\n" + good + "\n", 1, stoppedAt(6)},
        {"long", manyLines, 500, stoppedAt(505)},
        {"short", "t\nb\nw\n" + good + "\n" + good + "\n   4\n", 1, stoppedAt(6)},
        {"hex", "t\nb\nw\n" + good + "\n" + hex + "\n", 0, stoppedAt(5)},
        {"blank", "t\r\nb\r\nw\r\n" + good + "\r\n\r\n" + good + "\r\n" + good + "\r\n", 0, stoppedAt(5)},
        {"utf16", utf16, 0, stoppedAt(4)},
        {"binary", std::string("\x81\x00\xff\n\xfe\n\n", 7) + good + "\n" + std::string(512, '\x01') + "\n", 0,
         stoppedAt(5)},
        {"overlong", "t\nb\nw\n" + good + "\n" + std::string(MAX_RECORD_LINE_BYTES + 5, ' ') + "\n", 0, stoppedAt(5)},
        // A header too long to be one is not split into further lines.
        {"header", "t\n" + std::string(MAX_RECORD_LINE_BYTES + 5, 'h') + "\nw\n" + good + "\n" + good + "\n", 0,
         stoppedAt(2)},
    };
    for (const auto& c : cases) {
        RecordWorld w;
        w.write(c.name + ".棋譜", c.content);
        File1_Click(w.game, c.name + ".棋譜");
        EXPECT_EQ(w.game.state.lastMoveNumber, c.lastMoveNumber) << c.name;
        EXPECT_EQ(w.boxTexts(), c.messages) << c.name;
        ASSERT_FALSE(w.dialogs.boxes.empty());
        EXPECT_EQ(w.dialogs.boxes.back().title, "棋譜") << c.name;
        // A click afterwards stores at a valid index and steps stay inside the history.
        for (int k = 0; k < 3; ++k) AFTER_Click(w.game);
        EXPECT_LE(w.game.state.moveNumber, c.lastMoveNumber) << c.name;
    }
}

// A file that holds no game is refused before anything changes: the game in
// progress, its boards, its history and what is drawn stay as they were.
TEST(LoadRecord, AFileWithoutAGameLeavesTheGameInProgress) {
    Board start;
    setStartPosition(start);
    const std::string good = formatSnapshotLine(start, start);
    const std::pair<std::string, std::string> files[] = {
        {"line", "just one line of text\r\n"},
        {"headers", "title\r\nblack\r\nwhite\r\n"},
        {"start", "title\r\nblack\r\nwhite\r\n" + good + "\r\n"},
    };
    for (const auto& [name, content] : files) {
        RecordWorld w;
        w.playMoves(3);
        w.game.movesUnsaved = true;
        const GameState before = w.game.state;
        const Board left = w.game.board(BoardId::LEFT), right = w.game.board(BoardId::RIGHT);
        const std::vector<Board> history(w.game.history.left.begin(), w.game.history.left.begin() + 4);
        w.view.lines.clear();
        w.write(name + ".棋譜", content);
        File1_Click(w.game, name + ".棋譜");
        EXPECT_EQ(w.boxTexts(), (std::vector<std::string>{"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"})) << name;
        EXPECT_EQ(w.game.state.moveNumber, before.moveNumber) << name;
        EXPECT_EQ(w.game.state.lastMoveNumber, before.lastMoveNumber) << name;
        EXPECT_EQ(w.game.state.recordMode, before.recordMode) << name;
        EXPECT_EQ(w.game.state.gameMode, before.gameMode) << name;
        EXPECT_EQ(w.game.board(BoardId::LEFT), left) << name;
        EXPECT_EQ(w.game.board(BoardId::RIGHT), right) << name;
        EXPECT_TRUE(std::equal(history.begin(), history.end(), w.game.history.left.begin())) << name;
        EXPECT_TRUE(w.game.movesUnsaved) << name;
        EXPECT_EQ(w.view.lines, std::vector<std::string>{}) << name;  // nothing redrawn, no header printed
    }
}

TEST(LoadRecord, TheSnapshotsBeforeADamagedLineStayLoaded) {
    RecordWorld w;
    w.playMoves(3);
    w.panel.fields[1] = "cut";
    Command1_Click(w.game);
    const History saved = w.game.history;
    w.write("cut.棋譜", readBytes(w.dir / "cut.棋譜") + "garbage\r\n");
    RecordWorld r;
    r.panel.dir = w.dir;
    File1_Click(r.game, "cut.棋譜");
    EXPECT_EQ(r.boxTexts(), stoppedAt(8));
    EXPECT_EQ(r.game.state.lastMoveNumber, 3);
    for (int n = 1; n <= 3; ++n) {
        AFTER_Click(r.game);
        EXPECT_EQ(r.game.board(BoardId::LEFT), saved.left[n]);
    }
}

// The reference game and the self-play corpus load as they always did: every
// snapshot line the history holds, as the analysis reader reads it.
TEST(LoadRecord, TheReferenceFilesLoadAsBefore) {
    const std::pair<std::string, std::vector<std::string>> files[] = {
        {std::string(VELMORA_GOLDEN_DIR) + "/play.棋譜", {" 読み込みました", "棋譜を '進 'で進めて下さい"}},
        {std::string(VELMORA_CORPUS_DIR) + "/selfplay.棋譜", stoppedAt(4 + HISTORY_SIZE)},
    };
    for (const auto& [file, messages] : files) {
        RecordFile strict;
        std::string error;
        ASSERT_TRUE(readRecordFileStrict(file, strict, error)) << error;
        RecordWorld w;
        fs::copy_file(file, w.dir / "reference.棋譜");
        File1_Click(w.game, "reference.棋譜");
        EXPECT_EQ(w.boxTexts(), messages) << file;
        const size_t loaded = std::min(strict.snapshots.size(), static_cast<size_t>(HISTORY_SIZE));
        ASSERT_EQ(w.game.state.lastMoveNumber, static_cast<int>(loaded) - 1) << file;
        for (size_t n = 0; n < loaded; ++n) {
            EXPECT_EQ(w.game.history.left[n], strict.snapshots[n].left) << file << " " << n;
            EXPECT_EQ(w.game.history.right[n], strict.snapshots[n].right) << file << " " << n;
        }
    }
}

// A file that gives no move to step through is refused: its box, and
// nothing else drawn or changed, so the game shown before stays as it was.
TEST(LoadRecord, ARefusedFileLeavesTheGameAndTheScreenAsTheyWere) {
    Board start;
    setStartPosition(start);
    const std::string good = formatSnapshotLine(start, start);
    const std::string longLine(MAX_RECORD_LINE_BYTES + 5, 'h');
    const std::pair<std::string, std::string> files[] = {
        {"header", "t\n" + longLine + "\nw\n" + good + "\n" + good + "\n"},
        {"nomove", "t\nb\nw\n" + good + "\n" + "   4\n"},
        {"garbage", "new title\nb\nw\nnot a snapshot line\n"},
    };
    for (const auto& [name, content] : files) {
        RecordWorld w;
        w.playMoves(4);
        w.panel.fields[1] = "earlier";
        Command1_Click(w.game);
        File1_Click(w.game, "earlier.棋譜");
        AFTER_Click(w.game);
        AFTER_Click(w.game);
        w.write(name + ".棋譜", content);
        const GameState state = w.game.state;
        const History history = w.game.history;
        const Board left = w.game.board(BoardId::LEFT);
        const std::string headers[3] = {w.game.recordHeader[0], w.game.recordHeader[1], w.game.recordHeader[2]};
        w.view.lines.clear();
        w.dialogs.boxes.clear();

        File1_Click(w.game, name + ".棋譜");
        ASSERT_EQ(w.dialogs.boxes.size(), 1u) << name;
        EXPECT_NE(w.dialogs.boxes[0].text.find(" 行目が読めません"), std::string::npos) << name;
        EXPECT_EQ(w.view.lines, std::vector<std::string>{}) << name;
        EXPECT_EQ(w.game.state, state) << name;
        EXPECT_EQ(w.game.history.left, history.left) << name;
        EXPECT_EQ(w.game.history.right, history.right) << name;
        EXPECT_EQ(w.game.board(BoardId::LEFT), left) << name;
        for (int k = 0; k < 3; ++k) EXPECT_EQ(w.game.recordHeader[k], headers[k]) << name;
    }
    // Nor does a file that cannot be opened change anything.
    RecordWorld w;
    w.playMoves(3);
    const GameState state = w.game.state;
    File1_Click(w.game, "gone.棋譜");
    EXPECT_EQ(w.game.state, state);
    EXPECT_EQ(w.view.lines, std::vector<std::string>{});
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
}

// The painter's marks, and how many of them were on the boards whenever a
// box opened.
class MarksCanvas : public testing::BlankCanvas {
public:
    void setMarks(const std::vector<CellMark>& m) override { marks = m; }
    std::vector<CellMark> marks;
};
class MarksUnderBoxes : public testing::ScriptedDialogs {
public:
    explicit MarksUnderBoxes(const MarksCanvas& canvas) : canvas_(canvas) {}
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, bool icon) override {
        shown.push_back(canvas_.marks.size());
        return ScriptedDialogs::messageBox(text, title, buttons, icon);
    }
    std::vector<size_t> shown;

private:
    const MarksCanvas& canvas_;
};

TEST(LoadRecord, TheLastMoveMarksOfTheGameBeforeAreGoneBeforeTheFirstBox) {
    MarksCanvas canvas;
    MarksUnderBoxes dialogs(canvas);
    FakePanel panel;
    testing::ScratchFolder scratch;
    panel.dir = scratch.path;
    Game game{Ports{.dialogs = &dialogs, .recordPanel = &panel}};
    BoardPainter painter(game, canvas);
    game.setPresentation(&painter);
    初期設定(game);
    START_Click(game);
    testing::clickMove(game, BoardId::LEFT, 5, 7, 5, 5);
    ASSERT_EQ(canvas.marks.size(), 2u);
    Board start, moved;
    setStartPosition(start);
    moved = start;
    moved.at(1, 7) = EMPTY;
    moved.at(1, 6) = WHITE_PAWN;
    scratch.write("next.棋譜", "t\r\nb\r\nw\r\n" + formatSnapshotLine(start, start) + "\r\n" +
                                   formatSnapshotLine(moved, start) + "\r\n");
    dialogs.shown.clear();
    File1_Click(game, "next.棋譜");
    EXPECT_EQ(dialogs.shown, (std::vector<size_t>{0, 0}));
    game.setPresentation(nullptr);
}

TEST(LoadRecord, WhatIsNoRegularFileOfSaneSizeIsRefusedWithoutWaiting) {
    RecordWorld w;
    fs::create_directory(w.dir / "folder.棋譜");
    ASSERT_EQ(::mkfifo((w.dir / "pipe.棋譜").c_str(), 0644), 0);  // opening it to read used to wait forever
    fs::create_symlink("/dev/zero", w.dir / "zero.棋譜");
    std::ofstream(w.dir / "huge.棋譜") << "t\nb\nw\n";
    fs::resize_file(w.dir / "huge.棋譜", MAX_RECORD_FILE_BYTES + 1);
    std::ofstream(w.dir / "hidden.棋譜") << "t\nb\nw\n";
    fs::permissions(w.dir / "hidden.棋譜", fs::perms::none);
    const std::pair<const char*, const char*> cases[] = {
        {"folder.棋譜", "ﾌｧｲﾙではなくﾌｫﾙﾀﾞです"}, {"pipe.棋譜", "通常のﾌｧｲﾙではありません"},
        {"zero.棋譜", "通常のﾌｧｲﾙではありません"},  {"huge.棋譜", "ﾌｧｲﾙが大きすぎます"},
        {"hidden.棋譜", "ｱｸｾｽが許可されていません"}, {"gone.棋譜", "ﾌｧｲﾙまたはﾌｫﾙﾀﾞがありません"},
    };
    for (const auto& [name, reason] : cases) {
        RecordWorld r;
        r.panel.dir = w.dir;
        File1_Click(r.game, name);
        EXPECT_EQ(r.boxTexts(), std::vector<std::string>{"棋譜ﾌｧｲﾙを開けません\n" +
                                                         elidePath((w.dir / name).string()) + "\n" + reason});
        EXPECT_EQ(r.dialogs.boxes[0].title, "棋譜");
        EXPECT_EQ(r.game.state.lastMoveNumber, 0);
    }
}

}  // namespace
}  // namespace velmora
