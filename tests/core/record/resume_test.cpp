// Keeping an unsaved game when the program ends, and 前回の対局 bringing it back.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "fakes.h"
#include "flow/clock_commands.h"
#include "flow/game_flow.h"
#include "flow/last_game.h"
#include "flow/shutdown.h"
#include "io/file_reason.h"
#include "io/stale_temporaries.h"
#include "com/level.h"
#include "record/kept_game.h"
#include "record/notation.h"
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

// The title line of a game between people kept while under way, without clocks.
const std::string PEOPLE = "velmora game: people";

// The bytes the record writer makes of snapshots 0..last of a game.
std::string recordOf(const Game& g, int last, const std::string& title = "") {
    RecordFile record;
    record.title = title;
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
         g.state.sideToMove = Side::None;  // the game has ended
         終了(g, Winner::Draw);
     }},
};

TEST(ResumeOnEnd, EveryWayOutKeepsTheWholeUnsavedGame) {
    for (const EndPath& path : END_PATHS) {
        ResumeWorld w;
        w.playThreeMoves();
        // Stepped back: the kept game still runs to the last move made. (A
        // game ends on its last position: the end's path steps forward again.)
        const bool ended = std::string(path.name) == "No to 続けますか";
        REPLAY_Click(w.game);
        ASSERT_EQ(w.game.state.moveNumber, 2);
        if (ended) AFTER_Click(w.game);
        const size_t boxesBefore = w.dialogs.boxes.size();
        path.end(w.game, w.dialogs);
        EXPECT_TRUE(w.shell.quitRequested) << path.name;
        ASSERT_TRUE(fs::exists(w.resume)) << path.name;
        // "No to 続けますか" comes after the game ended: kept as a finished game.
        EXPECT_EQ(readBytes(w.resume), recordOf(w.game, 3, ended ? "" : PEOPLE)) << path.name;
        // Nothing asked on the way out beyond what the path itself asks.
        const size_t own = ended ? 2 : 0;
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
        ASSERT_FALSE(dialogs.boxes.empty());
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
    // A game between people under way goes on as one, out of record mode.
    EXPECT_FALSE(b.state.recordMode);
    EXPECT_EQ(b.state.gameMode, GameMode::BetweenPeople);
    // White made move 1 and black move 2: after move 3 (white's) black is to move.
    EXPECT_EQ(b.state.sideToMove, b.state.blackSide);
    EXPECT_EQ(second.boxTexts(), (std::vector<std::string>{" 読み込みました"}));
    // Loaded, nothing is unsaved; a move made from there is.
    EXPECT_FALSE(b.movesUnsaved);
    clickMove(second.game, BoardId::LEFT, 4, 2, 4, 4);
    EXPECT_EQ(b.state.lastMoveNumber, 4);
    EXPECT_TRUE(b.movesUnsaved);
}

// A game against the computer comes back as it was left: the level, the
// person's side, the clocks with their times, and the computer answering.
TEST(ResumeCommand, AGameAgainstTheComputerGoesOnAtItsLevelSideAndClocks) {
    for (const bool personFirst : {true, false}) {
        ResumeWorld first;
        first.game.options.timeControl = {300'000, 2'000};
        LEVEL_Click(first.game, 2);
        personFirst ? SENTE_Click(first.game) : GOTE_Click(first.game);
        const int start = first.game.state.moveNumber;  // 1 after the computer's first move
        first.pauses.time += 7;
        clickMove(first.game, BoardId::LEFT, 7, 7, 7, 6);  // the person's pawn; the computer answers
        ASSERT_EQ(first.game.state.lastMoveNumber, start + 2);
        followClock(first.game);  // as the window does after every event: the person's clock runs
        first.pauses.time += 3;  // the person thinks, then ends the program
        const double whiteMs = first.game.playerClocks.remainingMs(Colour::White, first.pauses.time);
        const double blackMs = first.game.playerClocks.remainingMs(Colour::Black, first.pauses.time);
        Form_KeyDown(first.game, 27);

        ResumeWorld second;
        second.game.options.resumeFile = first.resume.string();
        KIFU_RESUME_Click(second.game);
        const Game& b = second.game;
        const GameState& st = b.state;
        EXPECT_FALSE(st.recordMode);
        EXPECT_EQ(st.gameMode, GameMode::AgainstComputer);
        EXPECT_EQ(st.comLevel, 2);
        EXPECT_TRUE(second.marks.isChecked("LEVEL2"));
        EXPECT_EQ(st.whiteSide, personFirst ? Side::First : Side::Second);
        EXPECT_EQ(st.kingQueenSwapped, !personFirst);
        EXPECT_EQ(st.sideToMove, st.whiteSide);
        EXPECT_EQ(b.playerClocks.control(), (TimeControl{300'000, 2'000}));
        EXPECT_NEAR(b.playerClocks.remainingMs(Colour::White, second.pauses.time), whiteMs, 1);
        EXPECT_NEAR(b.playerClocks.remainingMs(Colour::Black, second.pauses.time), blackMs, 1);
        EXPECT_LT(whiteMs, 302'000);  // the person's three seconds are charged
        // The control in use is the game's: marked as custom, and the dialog opens on it.
        EXPECT_TRUE(second.marks.isChecked(MenuItem::TimeCustom));
        setTimeControlClick(second.game);
        ASSERT_EQ(second.dialogs.askedTimeControls.size(), 1u);
        EXPECT_EQ(second.dialogs.askedTimeControls[0], (TimeControl{300'000, 2'000}));
        // Nothing of the kept title is printed round the boards.
        for (const std::string& line : second.view.lines) EXPECT_EQ(line.find("velmora game"), std::string::npos);
        // The person's move, and the computer answers it.
        const int before = st.lastMoveNumber;
        clickMove(second.game, BoardId::LEFT, 1, 7, 1, 6);
        EXPECT_EQ(st.lastMoveNumber, before + 2) << personFirst;
        EXPECT_EQ(st.sideToMove, st.whiteSide);
    }
}

// Kept while the computer was to move (the program ended during its turn):
// back, the computer makes that move.
TEST(ResumeCommand, AGameKeptOnTheComputersMoveGoesOnWithIt) {
    ResumeWorld first;
    LEVEL_Click(first.game, 1);
    SENTE_Click(first.game);
    clickMove(first.game, BoardId::LEFT, 5, 7, 5, 5);
    RecordFile record;
    record.title = "velmora game: computer level=1";
    // Up to the person's move only: the computer's answer is not kept.
    for (int n = 0; n <= 1; ++n) record.snapshots.push_back({first.game.history.left[n], first.game.history.right[n]});
    std::string bytes, error;
    ASSERT_TRUE(encodeRecordFile(record, bytes, error)) << error;
    ResumeWorld second;
    second.scratch.write("resume.棋譜", bytes);
    KIFU_RESUME_Click(second.game);
    EXPECT_EQ(second.boxTexts(), (std::vector<std::string>{" 読み込みました"}));
    EXPECT_EQ(second.game.state.lastMoveNumber, 2);
    EXPECT_TRUE(isBlack(調査_手番駒(second.game, 2)));
    EXPECT_EQ(second.game.state.sideToMove, second.game.state.whiteSide);
}

// A game taken back and played on from an earlier move comes back as it was
// left: the new moves, not the ones taken back.
TEST(ResumeCommand, AGameTakenBackAndPlayedOnComesBackAsLeft) {
    ResumeWorld first;
    first.playThreeMoves();
    REPLAY_Click(first.game);
    REPLAY_Click(first.game);  // back at move 1: black to move
    first.dialogs.boxes.clear();
    testing::clickSquare(first.game, BoardId::LEFT, 1, 1);  // "OKですか？": play on from here
    clickMove(first.game, BoardId::RIGHT, 1, 2, 1, 3);  // black's other move 2
    ASSERT_EQ(first.game.state.lastMoveNumber, 2);
    Form_KeyDown(first.game, 27);
    ResumeWorld second;
    second.game.options.resumeFile = first.resume.string();
    KIFU_RESUME_Click(second.game);
    EXPECT_EQ(second.game.state.lastMoveNumber, 2);
    EXPECT_EQ(second.game.board(BoardId::RIGHT), first.game.history.right[2]);
    EXPECT_EQ(second.game.board(BoardId::RIGHT).at(1, 3), BLACK_PAWN);
    EXPECT_EQ(second.game.state.sideToMove, second.game.state.whiteSide);
}

// The title line: written and read back alike; anything else, or anything
// damaged, is no kept game and the file loads as a plain record.
TEST(KeptGameLine, ReadsWhatItWritesAndNothingElse) {
    const KeptGame games[] = {
        {GameMode::BetweenPeople, 3, {}, 0, 0},
        {GameMode::AgainstComputer, 9, {}, 0, 0},
        {GameMode::AgainstComputer, 1, {60'000, 0}, 1'234, 59'999},
        {GameMode::BetweenPeople, 3, {1'800'000, 60'000}, 0, 2'000'000},
    };
    for (const KeptGame& g : games) {
        const std::string line = keptGameLine(g);
        const std::optional<KeptGame> back = readKeptGameLine(line);
        ASSERT_TRUE(back) << line;
        EXPECT_EQ(back->mode, g.mode) << line;
        if (g.mode == GameMode::AgainstComputer) {
            EXPECT_EQ(back->level, g.level) << line;
        }
        EXPECT_EQ(back->control, g.control) << line;
        EXPECT_EQ(back->whiteMs, g.whiteMs) << line;
        EXPECT_EQ(back->blackMs, g.blackMs) << line;
    }
    EXPECT_EQ(keptGameLine(games[2]), "velmora game: computer level=1 clock=60000+0 white=1234 black=59999");
    for (const char* other : {"", "練習対局", "velmora game:", "velmora game: computer", "velmora game: computer level=0",
                              "velmora game: computer level=13", "velmora game: computer level=3x",
                              "velmora game: robots", "velmora game: people clock=0+0 white=1 black=1",
                              "velmora game: people clock=60000+0 white=-5 black=1",
                              "velmora game: people clock=60000 white=1 black=1",
                              "velmora game: people clock=60000+0 white=1", "velmora game: people extra"}) {
        EXPECT_FALSE(readKeptGameLine(other)) << other;
    }
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
        bool loaded;  // the moves before a damaged line load; a game without moves is refused
    } cases[] = {
        {whole.substr(0, whole.size() - 100), "棋譜ﾌｧｲﾙの 7 行目が読めません", true},
        {recordOf(source.game, 0), "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", false},
    };
    for (const auto& c : cases) {
        ResumeWorld w;
        w.scratch.write("resume.棋譜", c.bytes);
        KIFU_RESUME_Click(w.game);
        EXPECT_EQ(w.boxTexts(), (std::vector<std::string>{c.box}));
        EXPECT_EQ(w.game.state.moveNumber, 0);
        EXPECT_EQ(w.game.state.recordMode, c.loaded);
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

TEST(ResumeOnEnd, AFailedWriteIsToldEndsTheProgramAndKeepsTheOldRecordWhole) {
    for (const EndCause cause : {EndCause::Person, EndCause::Signal}) {
        HalfWriter half;
        testing::ScriptedDialogs dialogs;
        testing::RecordingSound sound;
        NullShell shell;
        Game g{Ports{.dialogs = &dialogs, .sound = &sound, .shell = &shell, .files = &half}};
        testing::ScratchFolder scratch;
        const fs::path kept = scratch / "sub" / "resume.棋譜";
        g.options.resumeFile = kept.string();
        fs::create_directory(scratch / "sub");
        scratch.write("sub/resume.棋譜", "the game kept last time");
        g.options.startedAt = fs::file_time_type::clock::now();  // the old record is older than this run
        g.sounds = {1, 11, 12, 13, 14};
        初期設定(g);
        START_Click(g);
        clickMove(g, BoardId::LEFT, 5, 7, 5, 5);
        dialogs.boxes.clear();
        const std::optional<KeepFailure> failure = writeResumeRecord(g, true);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->path, kept);
        EXPECT_EQ(failure->reason, ENOSPC);
        Form_Unload(g, cause);
        EXPECT_TRUE(shell.quitRequested);
        EXPECT_EQ(sound.terminated, (std::vector<std::int32_t>{1}));
        EXPECT_EQ(scratch.read("sub/resume.棋譜"), "the game kept last time");
        EXPECT_TRUE(temporariesIn(scratch / "sub").empty());
        if (cause == EndCause::Person) {
            // The person is told before the window goes, in the save's own box.
            ASSERT_EQ(dialogs.boxes.size(), 1u);
            EXPECT_EQ(dialogs.boxes[0].text,
                      "棋譜ﾌｧｲﾙを書き込めませんでした\n" + elidePath(kept.string()) + "\n" + fileReasonText(ENOSPC));
            EXPECT_EQ(dialogs.boxes[0].title, "棋譜");
            EXPECT_TRUE(shell.warnings.empty());
        } else {
            // Nobody to answer a box: one line for whoever sent the signal.
            EXPECT_TRUE(dialogs.boxes.empty());
            EXPECT_EQ(shell.warnings, (std::vector<std::string>{kept.string() + ": cannot keep the unsaved game: " +
                                                                fileReasonTextEnglish(ENOSPC)}));
        }
    }
}

// Places where the game cannot go: resume.棋譜 a folder, its folder under a
// plain file. Each end is told, and the program still ends.
TEST(ResumeOnEnd, AKeptGameThatCannotBeWrittenIsToldWithTheFileAndTheReason) {
    const struct {
        const char* name;
        std::function<fs::path(const fs::path&)> place;
        int reason;
    } cases[] = {
        {"a folder", [](const fs::path& dir) { fs::create_directory(dir / "resume.棋譜"); return dir / "resume.棋譜"; },
         EISDIR},
        {"under a file",
         [](const fs::path& dir) {
             std::ofstream(dir / "data") << "x";
             return dir / "data" / "resume.棋譜";
         },
         ENOTDIR},
    };
    for (const auto& c : cases) {
        ResumeWorld w;
        const fs::path kept = c.place(w.scratch.path);
        w.game.options.resumeFile = kept.string();
        w.game.options.startedAt = fs::file_time_type::clock::now();
        w.playThreeMoves();
        w.dialogs.boxes.clear();
        Form_KeyDown(w.game, 27);
        EXPECT_TRUE(w.shell.quitRequested) << c.name;
        ASSERT_EQ(w.dialogs.boxes.size(), 1u) << c.name;
        EXPECT_EQ(w.dialogs.boxes[0].text,
                  "棋譜ﾌｧｲﾙを書き込めませんでした\n" + elidePath(kept.string()) + "\n" + fileReasonText(c.reason))
            << c.name;
    }
}

// Two programs with unsaved games ending in one folder keep both games: the
// one that ends second finds the first one's record newer than its own start.
TEST(ResumeOnEnd, TwoProgramsEndingInOneFolderKeepBothGames) {
    ResumeWorld first;
    ResumeWorld second;
    second.game.options.resumeFile = first.resume.string();
    first.playThreeMoves();
    second.playThreeMoves();
    clickMove(second.game, BoardId::RIGHT, 3, 2, 3, 3);  // a fourth move, black's: the games differ
    second.dialogs.boxes.clear();
    OWARI_Click(first.game);
    OWARI_Click(second.game);
    EXPECT_EQ(readBytes(first.resume), recordOf(first.game, 3, PEOPLE));
    EXPECT_EQ(readBytes(first.scratch / "resume-2.棋譜"), recordOf(second.game, 4, PEOPLE));
    EXPECT_TRUE(second.dialogs.boxes.empty());
    // At the same moment, many times over: never one game lost.
    for (int round = 0; round < 20; ++round) {
        testing::ScratchFolder dir;
        ResumeWorld a, b;
        a.game.options.resumeFile = b.game.options.resumeFile = (dir / "resume.棋譜").string();
        a.playThreeMoves();
        b.playThreeMoves();
        clickMove(b.game, BoardId::RIGHT, 3, 2, 3, 3);
        std::thread other([&a] { Form_Unload(a.game, EndCause::Signal); });
        Form_Unload(b.game, EndCause::Signal);
        other.join();
        std::vector<std::string> kept;
        for (const char* name : {"resume.棋譜", "resume-2.棋譜"}) kept.push_back(readBytes(dir / name));
        std::sort(kept.begin(), kept.end());
        std::vector<std::string> games = {recordOf(a.game, 3, PEOPLE), recordOf(b.game, 4, PEOPLE)};
        std::sort(games.begin(), games.end());
        EXPECT_EQ(kept, games) << "round " << round;
    }
}

TEST(ResumeOnEnd, TheKeptGamesFolderIsMadeWhenMissing) {
    ResumeWorld w;
    const fs::path nested = w.scratch / "data" / "velmora" / "resume.棋譜";
    w.game.options.resumeFile = nested.string();
    w.playThreeMoves();
    OWARI_Click(w.game);
    EXPECT_EQ(readBytes(nested), recordOf(w.game, 3, PEOPLE));
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
    // In each folder an old temporary a killed write left, and one another
    // running game is writing right now (a minute old), which must survive.
    for (const testing::ScratchFolder* f : {&settings, &resume, &records, &other}) {
        f->write(".velmora-abc.tmp", "left by a killed write");
        age(f->path / ".velmora-abc.tmp", 30);
        f->write(".velmora-busy.tmp", "being written by another game");
        age(f->path / ".velmora-busy.tmp", 1);
    }
    Game g{Ports{.recordPanel = &panel}};
    g.options.settingsFile = (settings / "Velmora.ini").string();
    g.options.resumeFile = (resume / "resume.棋譜").string();
    Form_Load(g);
    EXPECT_FALSE(fs::exists(settings / ".velmora-abc.tmp"));
    EXPECT_FALSE(fs::exists(resume / ".velmora-abc.tmp"));
    EXPECT_FALSE(fs::exists(records / ".velmora-abc.tmp"));
    EXPECT_TRUE(fs::exists(other / ".velmora-abc.tmp"));
    for (const testing::ScratchFolder* f : {&settings, &resume, &records, &other}) {
        EXPECT_TRUE(fs::exists(f->path / ".velmora-busy.tmp")) << f->path;
    }
}

}  // namespace
}  // namespace velmora
