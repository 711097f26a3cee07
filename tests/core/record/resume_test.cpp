// Keeping an unsaved game when the program ends, and 前回の対局 bringing it back.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>

#include "fakes.h"
#include "flow/game_flow.h"
#include "flow/shutdown.h"
#include "io/stale_temporaries.h"
#include "record/record_commands.h"
#include "record/record_file.h"
#include "record/replay.h"
#include "record/resume.h"
#include "test_support.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::clickMove;
using testing::readBytes;

// A program with the recording fakes whose resume record goes to a scratch folder.
struct ResumeWorld : testing::FakeWorld {
    testing::ScratchFolder scratch;
    fs::path resume = scratch / "resume.棋譜";

    ResumeWorld() {
        game.options.resumeFile = resume.string();
        game.sounds = {1, 11, 12, 13, 14};
        初期設定(game);
    }
    // Three moves of a game between people, through the board clicks.
    void playThreeMoves() {
        START_Click(game);
        clickMove(game, BoardId::LEFT, 5, 7, 5, 5);   // white e-pawn, left board
        clickMove(game, BoardId::RIGHT, 4, 2, 4, 4);  // black d-pawn, right board
        clickMove(game, BoardId::RIGHT, 7, 8, 6, 6);  // white knight, right board
        ASSERT_EQ(game.state.lastMoveNumber, 3);
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : dialogs.boxes) texts.push_back(b.text);
        return texts;
    }
};

// The bytes the record writer makes of snapshots 0..last of a game.
std::string recordOf(const Game& g, int last) {
    RecordFile record;
    for (int n = 0; n <= last; ++n) record.snapshots.push_back({g.history.left[n], g.history.right[n]});
    std::string bytes, error;
    EXPECT_TRUE(encodeRecordFile(record, bytes, error)) << error;
    return bytes;
}

std::vector<std::string> temporariesIn(const fs::path& dir) {
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (name.rfind(".velmora-", 0) == 0) found.push_back(name);
    }
    return found;
}

struct EndPath {
    const char* name;
    std::function<void(Game&, testing::ScriptedDialogs&)> end;
};

const EndPath END_PATHS[] = {
    {"終わり", [](Game& g, testing::ScriptedDialogs&) { OWARI_Click(g); }},
    {"Esc", [](Game& g, testing::ScriptedDialogs&) { Form_KeyDown(g, 27); }},
    {"window closed", [](Game& g, testing::ScriptedDialogs&) { Form_Unload(g); }},
    {"No to 続けますか", [](Game& g, testing::ScriptedDialogs& d) {
         d.answers.push_back(Answer::No);
         終了(g, Winner::Draw);
     }},
};

TEST(ResumeOnEnd, EveryWayOutKeepsTheWholeUnsavedGame) {
    for (const EndPath& path : END_PATHS) {
        ResumeWorld w;
        w.playThreeMoves();
        // Stepped back: the kept game still runs to the last move made.
        REPLAY_Click(w.game);
        ASSERT_EQ(w.game.state.moveNumber, 2);
        const size_t boxesBefore = w.dialogs.boxes.size();
        path.end(w.game, w.dialogs);
        EXPECT_TRUE(w.shell.quitRequested) << path.name;
        ASSERT_TRUE(fs::exists(w.resume)) << path.name;
        EXPECT_EQ(readBytes(w.resume), recordOf(w.game, 3)) << path.name;
        // Nothing asked on the way out beyond what the path itself asks.
        const size_t own = std::string(path.name) == "No to 続けますか" ? 2 : 0;
        EXPECT_EQ(w.dialogs.boxes.size(), boxesBefore + own) << path.name;
        // The sound is released after the game is kept, and only once.
        EXPECT_EQ(w.sound.terminated, (std::vector<std::int32_t>{1})) << path.name;
    }
}

TEST(ResumeOnEnd, NothingIsWrittenWithoutUnsavedMoves) {
    for (const EndPath& path : END_PATHS) {
        ResumeWorld w;
        START_Click(w.game);  // a game started, no move made
        path.end(w.game, w.dialogs);
        EXPECT_TRUE(w.shell.quitRequested) << path.name;
        EXPECT_FALSE(fs::exists(w.resume)) << path.name;
    }
    // Any other key ends nothing and keeps nothing.
    ResumeWorld w;
    w.playThreeMoves();
    Form_KeyDown(w.game, 65);
    EXPECT_FALSE(w.shell.quitRequested);
    EXPECT_FALSE(fs::exists(w.resume));
}

TEST(ResumeOnEnd, ASaveOfTheWholeGameLeavesNothingToKeepButASaveOfPartDoesNot) {
    testing::ScratchFolder records;
    struct Panel : RecordPanel {
        void 描画_可視(bool, bool, bool) override {}
        void 描画_棋譜_IO(bool) override {}
        std::string fieldText(RecordField k) override { return k == RecordField::FileName ? "saved" : ""; }
        fs::path folder() override { return dir; }
        void refreshFiles() override {}
        fs::path dir;
    } panel;
    panel.dir = records.path;
    for (bool steppedBack : {false, true}) {
        testing::ScriptedDialogs dialogs;
        NullShell shell;
        Game g{Ports{.dialogs = &dialogs, .shell = &shell, .recordPanel = &panel}};
        testing::ScratchFolder scratch;
        g.options.resumeFile = (scratch / "resume.棋譜").string();
        初期設定(g);
        START_Click(g);
        clickMove(g, BoardId::LEFT, 5, 7, 5, 5);
        clickMove(g, BoardId::LEFT, 5, 2, 5, 4);
        if (steppedBack) REPLAY_Click(g);
        Command1_Click(g);
        ASSERT_EQ(dialogs.boxes.back().text, "棋譜を書き込みました");
        OWARI_Click(g);
        EXPECT_EQ(fs::exists(scratch / "resume.棋譜"), steppedBack);
    }
}

TEST(ResumeOnEnd, TheKeptGameComesBackAtItsLastPositionReadyToPlay) {
    ResumeWorld first;
    first.playThreeMoves();
    REPLAY_Click(first.game);
    REPLAY_Click(first.game);
    Form_KeyDown(first.game, 27);

    ResumeWorld second;
    second.game.options.resumeFile = first.resume.string();
    KIFU_RESUME_Click(second.game);
    const Game& a = first.game;
    const Game& b = second.game;
    ASSERT_EQ(b.state.lastMoveNumber, 3);
    EXPECT_EQ(b.state.moveNumber, 3);
    for (int n = 0; n <= 3; ++n) {
        EXPECT_EQ(a.history.left[n], b.history.left[n]) << n;
        EXPECT_EQ(a.history.right[n], b.history.right[n]) << n;
    }
    EXPECT_EQ(b.board(BoardId::LEFT), a.history.left[3]);
    EXPECT_EQ(b.board(BoardId::RIGHT), a.history.right[3]);
    EXPECT_TRUE(b.state.recordMode);
    // White made move 1 and black move 2: after move 3 (white's) black is to move.
    EXPECT_EQ(b.state.sideToMove, b.state.blackTurn);
    EXPECT_EQ(second.boxTexts(), (std::vector<std::string>{" 読み込みました"}));
    // Loaded, nothing is unsaved; a move made from there is.
    EXPECT_FALSE(b.movesUnsaved);
    clickMove(second.game, BoardId::LEFT, 4, 2, 4, 4);
    EXPECT_EQ(b.state.lastMoveNumber, 4);
    EXPECT_TRUE(b.movesUnsaved);
}

TEST(ResumeCommand, WithoutAKeptGameItRefusesAndChangesNothing) {
    ResumeWorld w;
    w.playThreeMoves();
    REPLAY_Click(w.game);
    const Board left = w.game.board(BoardId::LEFT);
    const GameState before = w.game.state;
    w.sound.played.clear();
    w.dialogs.boxes.clear();
    KIFU_RESUME_Click(w.game);
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "前回の対局はありません");
    EXPECT_EQ(w.dialogs.boxes[0].title, "棋譜");
    EXPECT_EQ(w.sound.played, (std::vector<std::int32_t>{12}));
    EXPECT_EQ(w.game.board(BoardId::LEFT), left);
    EXPECT_EQ(w.game.state.moveNumber, before.moveNumber);
    EXPECT_EQ(w.game.state.lastMoveNumber, before.lastMoveNumber);
    EXPECT_EQ(w.game.state.recordMode, before.recordMode);
    EXPECT_TRUE(w.game.movesUnsaved);
}

TEST(ResumeCommand, ADamagedOrEmptyKeptGameIsReportedAsAnyRecordAndNotStepped) {
    ResumeWorld source;
    source.playThreeMoves();
    const std::string whole = recordOf(source.game, 3);
    const struct {
        std::string bytes;
        std::string box;
    } cases[] = {
        {whole.substr(0, whole.size() - 100), "棋譜ﾌｧｲﾙの 7 行目が読めません"},
        {recordOf(source.game, 0), "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"},
    };
    for (const auto& c : cases) {
        ResumeWorld w;
        w.scratch.write("resume.棋譜", c.bytes);
        KIFU_RESUME_Click(w.game);
        EXPECT_EQ(w.boxTexts(), (std::vector<std::string>{c.box}));
        EXPECT_EQ(w.game.state.moveNumber, 0);
        EXPECT_TRUE(w.game.state.recordMode);
    }
    // A kept game that is no file to read is refused without touching the game.
    ResumeWorld w;
    fs::create_directory(w.resume);
    w.playThreeMoves();
    w.dialogs.boxes.clear();
    KIFU_RESUME_Click(w.game);
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text.rfind("棋譜ﾌｧｲﾙを開けません\n", 0), 0u) << w.dialogs.boxes[0].text;
    EXPECT_EQ(w.game.state.moveNumber, 3);
    EXPECT_FALSE(w.game.state.recordMode);
}

// Writes half of the new record and then fails, as a full disk would.
class HalfWriter : public FileWriter {
protected:
    int writeAll(int fd, const std::string& bytes) override {
        FileWriter::writeAll(fd, bytes.substr(0, bytes.size() / 2));
        return ENOSPC;
    }
};

TEST(ResumeOnEnd, AFailedWriteEndsTheProgramAndKeepsTheOldRecordWhole) {
    HalfWriter half;
    testing::ScriptedDialogs dialogs;
    testing::RecordingSound sound;
    NullShell shell;
    Game g{Ports{.dialogs = &dialogs, .sound = &sound, .shell = &shell, .files = &half}};
    testing::ScratchFolder scratch;
    g.options.resumeFile = (scratch / "sub" / "resume.棋譜").string();
    fs::create_directory(scratch / "sub");
    scratch.write("sub/resume.棋譜", "the game kept last time");
    g.sounds = {1, 11, 12, 13, 14};
    初期設定(g);
    START_Click(g);
    clickMove(g, BoardId::LEFT, 5, 7, 5, 5);
    dialogs.boxes.clear();
    EXPECT_FALSE(writeResumeRecord(g));
    Form_KeyDown(g, 27);
    EXPECT_TRUE(shell.quitRequested);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(sound.terminated, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(scratch.read("sub/resume.棋譜"), "the game kept last time");
    EXPECT_TRUE(temporariesIn(scratch / "sub").empty());
}

TEST(ResumeOnEnd, TheKeptGamesFolderIsMadeWhenMissing) {
    ResumeWorld w;
    const fs::path nested = w.scratch / "data" / "velmora" / "resume.棋譜";
    w.game.options.resumeFile = nested.string();
    w.playThreeMoves();
    OWARI_Click(w.game);
    EXPECT_EQ(readBytes(nested), recordOf(w.game, 3));
}

// Sets a file's last change `minutes` before now.
void age(const fs::path& file, int minutes) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(minutes));
}

TEST(StaleTemporaries, OnlyOldRegularFilesOfTheTemporaryNameGo) {
    testing::ScratchFolder dir;
    for (const char* name : {".velmora-old1.tmp", ".velmora-new1.tmp", "velmora-old1.tmp", ".velmora-old1.tmpx",
                             "old.棋譜", ".velmora-.tmp"}) {
        dir.write(name, "x");
        age(dir / name, std::string(name).find("new") != std::string::npos ? 9 : 11);
    }
    // A link with the name, to an old file elsewhere, and a folder with the name.
    testing::ScratchFolder elsewhere;
    elsewhere.write("target", "kept");
    age(elsewhere / "target", 60);
    fs::create_symlink(elsewhere / "target", dir / ".velmora-link1.tmp");
    fs::create_directory(dir / ".velmora-dir1.tmp");
    age(dir / ".velmora-dir1.tmp", 60);

    EXPECT_EQ(removeStaleTemporaries(dir.path, STALE_TEMPORARY_AGE), 1);
    EXPECT_FALSE(fs::exists(dir / ".velmora-old1.tmp"));
    for (const char* kept : {".velmora-new1.tmp", "velmora-old1.tmp", ".velmora-old1.tmpx", "old.棋譜", ".velmora-.tmp",
                             ".velmora-dir1.tmp"}) {
        EXPECT_TRUE(fs::exists(dir / kept)) << kept;
    }
    EXPECT_TRUE(fs::is_symlink(dir / ".velmora-link1.tmp"));
    EXPECT_EQ(elsewhere.read("target"), "kept");
    EXPECT_EQ(removeStaleTemporaries(dir / "missing", STALE_TEMPORARY_AGE), 0);
}

// In a folder other users write to as well, their temporaries are theirs to
// clear: only the running user's go, however old the others are.
TEST(StaleTemporaries, AnotherUsersTemporaryIsLeftAlone) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
    testing::ScratchFolder dir;
    dir.write(".velmora-mine.tmp", "x");
    dir.write(".velmora-theirs.tmp", "x");
    ASSERT_EQ(::chown((dir / ".velmora-theirs.tmp").c_str(), 65534, 65534), 0);
    age(dir / ".velmora-mine.tmp", 30);
    age(dir / ".velmora-theirs.tmp", 30);

    EXPECT_EQ(removeStaleTemporaries(dir.path, STALE_TEMPORARY_AGE), 1);
    EXPECT_FALSE(fs::exists(dir / ".velmora-mine.tmp"));
    EXPECT_TRUE(fs::exists(dir / ".velmora-theirs.tmp"));
}

TEST(StaleTemporaries, StartUpClearsTheSettingsResumeAndRecordFolders) {
    testing::ScratchFolder settings, resume, records, other;
    struct Panel : RecordPanel {
        void 描画_可視(bool, bool, bool) override {}
        void 描画_棋譜_IO(bool) override {}
        std::string fieldText(RecordField) override { return ""; }
        fs::path folder() override { return dir; }
        void refreshFiles() override {}
        fs::path dir;
    } panel;
    panel.dir = records.path;
    for (const testing::ScratchFolder* f : {&settings, &resume, &records, &other}) {
        f->write(".velmora-abc.tmp", "left by a killed write");
        age(f->path / ".velmora-abc.tmp", 30);
    }
    Game g{Ports{.recordPanel = &panel}};
    g.options.settingsFile = (settings / "Velmora.ini").string();
    g.options.resumeFile = (resume / "resume.棋譜").string();
    Form_Load(g);
    EXPECT_FALSE(fs::exists(settings / ".velmora-abc.tmp"));
    EXPECT_FALSE(fs::exists(resume / ".velmora-abc.tmp"));
    EXPECT_FALSE(fs::exists(records / ".velmora-abc.tmp"));
    EXPECT_TRUE(fs::exists(other / ".velmora-abc.tmp"));
}

}  // namespace
}  // namespace velmora
