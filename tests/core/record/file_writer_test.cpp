// Writes that fail at any step keep the file that was there.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "fakes.h"
#include "options/settings_file.h"
#include "record/notation.h"
#include "record/record_commands.h"
#include "rules/setup.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

enum class Step { Open, Write, Flush, Rename };

// The real steps, except that one of them fails with the given error.
class FailingWriter : public FileWriter {
public:
    FailingWriter(Step step, int code) : step_(step), code_(code) {}

protected:
    int openTemporary(const fs::path& temp, int& fd) override {
        return step_ == Step::Open ? code_ : FileWriter::openTemporary(temp, fd);
    }
    int writeAll(int fd, const std::string& bytes) override {
        if (step_ == Step::Write) {
            FileWriter::writeAll(fd, bytes.substr(0, bytes.size() / 2));  // half written, then the disk is full
            return code_;
        }
        return FileWriter::writeAll(fd, bytes);
    }
    int flushAndClose(int fd) override {
        const int e = FileWriter::flushAndClose(fd);
        return step_ == Step::Flush ? code_ : e;
    }
    int renameOver(const fs::path& temp, const fs::path& path) override {
        return step_ == Step::Rename ? code_ : FileWriter::renameOver(temp, path);
    }

private:
    Step step_;
    int code_;
};

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class FileWriterFaults : public ::testing::TestWithParam<std::tuple<Step, int, const char*>> {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("velmora-faults-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_P(FileWriterFaults, TheOldFileStaysAndTheReasonIsGiven) {
    const auto [step, code, reason] = GetParam();
    const fs::path target = dir / "kept.棋譜";
    std::ofstream(target, std::ios::binary) << "old contents";
    FailingWriter writer(step, code);
    std::string error;
    EXPECT_FALSE(writer.writeAtomically(target, std::string(100000, 'x'), error));
    EXPECT_EQ(readBytes(target), "old contents");
    EXPECT_FALSE(fs::exists(dir / "kept.棋譜.tmp"));
    EXPECT_NE(error.find(target.string()), std::string::npos) << error;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Steps, FileWriterFaults,
                         ::testing::Values(std::make_tuple(Step::Open, EACCES, "Permission denied"),
                                           std::make_tuple(Step::Write, ENOSPC, "No space left"),
                                           std::make_tuple(Step::Flush, EIO, "Input/output error"),
                                           std::make_tuple(Step::Rename, EXDEV, "cross-device")));

TEST_F(FileWriterFaults, SavingAGameReportsTheFailedWriteInABox) {
    FailingWriter writer(Step::Write, ENOSPC);
    testing::ScriptedDialogs dialogs;
    class Panel : public NullRecordPanel {
    public:
        fs::path where;
        std::string fieldText(int k) override { return k == 1 ? "full" : ""; }
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
    EXPECT_NE(dialogs.boxes[0].text.find("No space left"), std::string::npos);
    EXPECT_EQ(readBytes(dir / "full.棋譜"), "an earlier game");
}

TEST_P(FileWriterFaults, ASettingsWriteThatFailsKeepsTheOldFileSilently) {
    const auto [step, code, reason] = GetParam();
    const fs::path settings = fs::current_path() / "Velmora.ini";
    std::ofstream(settings, std::ios::binary) << "BGM=OFF\r\n";
    FailingWriter writer(step, code);
    testing::ScriptedDialogs dialogs;
    testing::RecordingMarks marks;
    marks.marks = {{"RENGA", true}, {"SIDOU", true}, {"BGM", true}};
    Game g(Ports{.dialogs = &dialogs, .menuMarks = &marks, .files = &writer});
    書込_環境設定ファイル(g);
    EXPECT_EQ(readBytes(settings), "BGM=OFF\r\n") << reason;
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(marks.marks["RENGA"] && marks.marks["SIDOU"] && marks.marks["BGM"]);
    fs::remove(settings);
}

}  // namespace
}  // namespace velmora
