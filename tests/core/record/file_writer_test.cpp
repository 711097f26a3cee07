// Writes that fail at any step keep the file that was there, leave nothing
// behind, and cannot be steered elsewhere by what lies in the folder.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes.h"
#include "platform_world.h"
#include "io/file_reason.h"
#include "options/settings_file.h"
#include "record/notation.h"
#include "record/record_commands.h"
#include "rules/setup.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

enum class Step { None, Open, Write, Permissions, Flush, Rename, FolderSync };

// The real steps, in a log, except that one of them fails with the given error.
class FailingWriter : public FileWriter {
public:
    FailingWriter(Step step, int code) : step_(step), code_(code) {}
    std::vector<Step> steps;

protected:
    int openTemporary(const fs::path& folder, fs::path& temp, int& fd) override {
        steps.push_back(Step::Open);
        return step_ == Step::Open ? code_ : FileWriter::openTemporary(folder, temp, fd);
    }
    int writeAll(int fd, const std::string& bytes) override {
        steps.push_back(Step::Write);
        if (step_ == Step::Write) {
            FileWriter::writeAll(fd, bytes.substr(0, bytes.size() / 2));  // half written, then the disk is full
            return code_;
        }
        return FileWriter::writeAll(fd, bytes);
    }
    int copyPermissions(int fd, mode_t mode) override {
        steps.push_back(Step::Permissions);
        return step_ == Step::Permissions ? code_ : FileWriter::copyPermissions(fd, mode);
    }
    int flushAndClose(int fd) override {
        steps.push_back(Step::Flush);
        const int e = FileWriter::flushAndClose(fd);
        return step_ == Step::Flush ? code_ : e;
    }
    int renameOver(const fs::path& temp, const fs::path& path) override {
        steps.push_back(Step::Rename);
        return step_ == Step::Rename ? code_ : FileWriter::renameOver(temp, path);
    }
    int syncFolder(const fs::path& folder) override {
        steps.push_back(Step::FolderSync);
        return step_ == Step::FolderSync ? code_ : FileWriter::syncFolder(folder);
    }

private:
    Step step_;
    int code_;
};

using testing::readBytes;

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    ::lstat(p.c_str(), &st);
    return st.st_mode;
}

class ScratchDir : public ::testing::Test {
protected:
    testing::ScratchFolder scratch;
    const fs::path dir = scratch.path;
};

// A step that fails, its errno, and the reason the person reads.
struct Fault {
    Step step;
    int code;
    const char* reason;
    std::string name() const {
        static const char* const NAMES[] = {"None", "Open", "Write", "Permissions", "Flush", "Rename", "FolderSync"};
        return std::string(NAMES[static_cast<int>(step)]) + "_" + std::to_string(code);
    }
    friend void PrintTo(const Fault& f, std::ostream* os) { *os << f.name(); }
};

std::string faultName(const ::testing::TestParamInfo<Fault>& info) { return info.param.name(); }

class FileWriterFaults : public ScratchDir, public ::testing::WithParamInterface<Fault> {};

TEST_P(FileWriterFaults, TheOldFileStaysNothingIsLeftAndTheReasonIsGiven) {
    const auto [step, code, reason] = GetParam();
    const fs::path target = dir / "kept.棋譜";
    std::ofstream(target, std::ios::binary) << "old contents";
    FailingWriter writer(step, code);
    WriteFailure failure;
    EXPECT_FALSE(writer.write(target, std::string(100000, 'x'), failure));
    EXPECT_EQ(failure.reason, code);
    ASSERT_FALSE(writer.steps.empty());
    EXPECT_EQ(writer.steps.back(), step);
    EXPECT_EQ(fileReasonText(failure.reason), reason);
    // A failed folder sync comes after the rename: the new file is in place.
    EXPECT_EQ(readBytes(target), step == Step::FolderSync ? std::string(100000, 'x') : "old contents");
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"kept.棋譜"});
    std::string error;
    EXPECT_FALSE(writer.writeAtomically(target, "y", error));
    EXPECT_EQ(error.find(target.string()), 0u) << error;
}

INSTANTIATE_TEST_SUITE_P(Steps, FileWriterFaults,
                         ::testing::Values(Fault{Step::Open, EACCES, "ｱｸｾｽが許可されていません"},
                                           Fault{Step::Write, ENOSPC, "ﾃﾞｨｽｸがいっぱいです"},
                                           Fault{Step::Write, EDQUOT, "ﾃﾞｨｽｸの使用量の制限を超えました"},
                                           Fault{Step::Permissions, EPERM, "ｱｸｾｽが許可されていません"},
                                           Fault{Step::Flush, EIO, "ﾃﾞｨｽｸの読み書きに失敗しました"},
                                           Fault{Step::Rename, EXDEV, "別のﾃﾞｨｽｸをまたいで置き換えられません"},
                                           Fault{Step::FolderSync, EIO, "ﾃﾞｨｽｸの読み書きに失敗しました"}),
                         faultName);

TEST_F(ScratchDir, EveryStepRunsInOrderAndTheFolderIsSyncedLast) {
    FailingWriter writer(Step::None, 0);
    WriteFailure failure;
    ASSERT_TRUE(writer.write(dir / "new.棋譜", "abc", failure));
    EXPECT_EQ(writer.steps, (std::vector<Step>{Step::Open, Step::Write, Step::Permissions, Step::Flush, Step::Rename,
                                               Step::FolderSync}));
    EXPECT_EQ(readBytes(dir / "new.棋譜"), "abc");
    // A new file gets the usual permissions, not the temporary file's private ones.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(dir / "new.棋譜") & 07777, 0666 & ~mask);
}

TEST_F(ScratchDir, WhatLiesAtTheOldTemporaryNameIsNeverFollowed) {
    const fs::path outside = dir / "outside.txt";
    std::ofstream(outside) << "not yours";
    std::ofstream(dir / "old.棋譜") << "old record";
    fs::create_symlink(outside, dir / "old.棋譜.tmp");
    ASSERT_EQ(::mkfifo((dir / "Velmora.ini.tmp").c_str(), 0644), 0);
    std::ofstream(dir / "Velmora.ini") << "BGM=OFF\r\n";
    FileWriter writer;
    WriteFailure failure;
    ASSERT_TRUE(writer.write(dir / "old.棋譜", "new record", failure));
    ASSERT_TRUE(writer.write(dir / "Velmora.ini", "BGM=ON\r\n", failure));  // a FIFO there never blocks
    EXPECT_EQ(readBytes(outside), "not yours");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "old.棋譜")));
    EXPECT_EQ(readBytes(dir / "old.棋譜"), "new record");
    EXPECT_EQ(readBytes(dir / "Velmora.ini"), "BGM=ON\r\n");
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"Velmora.ini", "Velmora.ini.tmp", "old.棋譜", "old.棋譜.tmp",
                                                      "outside.txt"}));
}

TEST_F(ScratchDir, ALinkedTargetIsUpdatedWhereItPointsAndStaysALink) {
    fs::create_directory(dir / "real");
    std::ofstream(dir / "real" / "game.棋譜") << "old";
    fs::create_symlink("real/game.棋譜", dir / "link.棋譜");
    FileWriter writer;
    WriteFailure failure;
    ASSERT_TRUE(writer.write(dir / "link.棋譜", "new", failure));
    EXPECT_TRUE(fs::is_symlink(dir / "link.棋譜"));
    EXPECT_EQ(readBytes(dir / "real" / "game.棋譜"), "new");
    EXPECT_EQ(namesIn(dir / "real"), std::vector<std::string>{"game.棋譜"});
}

TEST_F(ScratchDir, OnlyAWritableRegularFileIsReplacedAndItKeepsItsPermissions) {
    std::ofstream(dir / "shared.棋譜") << "old";
    fs::permissions(dir / "shared.棋譜", fs::perms(0640));
    std::ofstream(dir / "locked.棋譜") << "the owner's";
    fs::permissions(dir / "locked.棋譜", fs::perms(0444));
    ASSERT_EQ(::mkfifo((dir / "pipe.棋譜").c_str(), 0644), 0);
    fs::create_directory(dir / "folder.棋譜");
    FileWriter writer;
    WriteFailure failure;
    ASSERT_TRUE(writer.write(dir / "shared.棋譜", "new", failure));
    EXPECT_EQ(modeOf(dir / "shared.棋譜") & 07777, 0640u);
    EXPECT_FALSE(writer.write(dir / "locked.棋譜", "new", failure));
    EXPECT_EQ(std::string(failure.step), "create");
    EXPECT_EQ(failure.reason, EACCES);
    EXPECT_EQ(readBytes(dir / "locked.棋譜"), "the owner's");
    EXPECT_FALSE(writer.write(dir / "pipe.棋譜", "new", failure));  // would block or feed a reader
    EXPECT_EQ(failure.reason, FILE_NOT_REGULAR);
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.棋譜"));
    EXPECT_FALSE(writer.write(dir / "folder.棋譜", "new", failure));
    EXPECT_EQ(failure.reason, EISDIR);
    EXPECT_EQ(namesIn(dir).size(), 4u);
}

TEST_F(ScratchDir, AFileSizeLimitIsAnOrdinaryWriteFailure) {
    std::ofstream(dir / "big.棋譜") << "old";
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    FileWriter writer;
    WriteFailure failure;
    const bool written = writer.write(dir / "big.棋譜", std::string(100000, 'x'), failure);  // without the
    ::setrlimit(RLIMIT_FSIZE, &saved);  // mend the process ends here with SIGXFSZ
    EXPECT_FALSE(written);
    EXPECT_EQ(failure.reason, EFBIG);
    EXPECT_EQ(fileReasonText(failure.reason), "ﾌｧｲﾙｻｲｽﾞの制限を超えました");
    EXPECT_EQ(readBytes(dir / "big.棋譜"), "old");
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"big.棋譜"});
}

TEST_F(ScratchDir, SavingAGameReportsTheFailedWriteInAJapaneseBox) {
    FailingWriter writer(Step::Write, ENOSPC);
    testing::ScriptedDialogs dialogs;
    class Panel : public NullRecordPanel {
    public:
        fs::path where;
        std::string fieldText(RecordField k) override { return k == RecordField::FileName ? "full" : ""; }
        fs::path folder() override { return where; }
    } panel;
    panel.where = dir;
    Game g(Ports{.dialogs = &dialogs, .recordPanel = &panel, .files = &writer});
    初期設定(g);
    g.state.moveNumber = g.state.lastMoveNumber = 1;
    手順保存(g, 1);
    std::ofstream(dir / "full.棋譜", std::ios::binary) << "an earlier game";
    Command1_Click(g);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "棋譜");
    EXPECT_EQ(dialogs.boxes[0].text,
              "棋譜ﾌｧｲﾙを書き込めませんでした\n" + elidePath((dir / "full.棋譜").string()) + "\nﾃﾞｨｽｸがいっぱいです");
    EXPECT_EQ(readBytes(dir / "full.棋譜"), "an earlier game");
}

TEST(SettingsWrite, AWriteThatFailsAtAnyStepKeepsTheOldFileSilently) {
    for (const Step step : {Step::Open, Step::Write, Step::Permissions, Step::Flush, Step::Rename}) {
        testing::ScratchFolder folder{testing::ScratchFolder::ENTER};
        const fs::path settings = fs::current_path() / "Velmora.ini";
        std::ofstream(settings, std::ios::binary) << "BGM=OFF\r\n";
        FailingWriter writer(step, EIO);
        testing::ScriptedDialogs dialogs;
        testing::RecordingMarks marks;
        marks.marks = {{"RENGA", true}, {"SIDOU", true}, {"BGM", true}};
        Game g(Ports{.dialogs = &dialogs, .menuMarks = &marks, .files = &writer});
        書込_環境設定ファイル(g);
        EXPECT_EQ(readBytes(settings), "BGM=OFF\r\n") << static_cast<int>(step);
        EXPECT_EQ(namesIn(fs::current_path()), std::vector<std::string>{"Velmora.ini"});
        EXPECT_TRUE(dialogs.boxes.empty());
        EXPECT_TRUE(marks.marks["RENGA"] && marks.marks["SIDOU"] && marks.marks["BGM"]);
    }
}

}  // namespace
}  // namespace velmora
