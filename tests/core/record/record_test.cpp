#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "board_text_fixture.h"
#include "record/cp932.h"
#include "record/record_file.h"
#include "rules/setup.h"
#include "test_support.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

using testing::readBytes;

class TempDir : public ::testing::Test {
protected:
    fs::path write(const std::string& name, const std::string& bytes) {
        scratch.write(name, bytes);
        return dir / name;
    }
    testing::ScratchFolder scratch;
    const fs::path dir = scratch.path;
};

TEST(SnapshotLine, FieldLayoutOfTheStartPosition) {
    Board start;
    setStartPosition(start);
    const std::string line = formatSnapshotLine(start, start);
    ASSERT_EQ(line.size(), 512u);
    EXPECT_EQ(line.substr(0, 8), "   4   4");   // file 1, rank 1: black rooks
    EXPECT_EQ(line.substr(48, 8), "  -1  -1");  // file 1, rank 7: white pawns
    EXPECT_EQ(line.substr(56, 8), "  -4  -4");  // file 1, rank 8
    EXPECT_EQ(line.substr(16 * 4, 8), "   2   2");  // file 2, rank 1: knights
    const auto pair = parseSnapshotLine(line);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->left, start);
    EXPECT_EQ(pair->right, start);
}

TEST(SnapshotLine, LeftAndRightCodesAlternate) {
    Board left, right;
    left.at(3, 5) = WHITE_QUEEN;
    right.at(3, 5) = BLACK_KNIGHT;
    const auto pair = parseSnapshotLine(formatSnapshotLine(left, right));
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->left.at(3, 5), WHITE_QUEEN);
    EXPECT_EQ(pair->right.at(3, 5), BLACK_KNIGHT);
}

TEST(SnapshotLine, BlankAndMissingFieldsReadAsEmpty) {
    const auto pair = parseSnapshotLine("   4 -1 ");
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->left.at(1, 1), BLACK_ROOK);
    EXPECT_EQ(pair->right.at(1, 1), WHITE_PAWN);
    EXPECT_EQ(pair->left.at(1, 2), EMPTY);
    EXPECT_EQ(pair->right.at(8, 8), EMPTY);
}

TEST(SnapshotLine, RefusesWhatIsNoPieceCode) {
    const std::string bad[] = {"   7", "  -7", "  x1", " 1 2", "9999", "  --"};
    for (const std::string& field : bad) {
        std::string error;
        EXPECT_FALSE(parseSnapshotLine(field, &error)) << field;
        EXPECT_NE(error.find("field 1"), std::string::npos) << error;
    }
}

TEST(Cp932, RoundTripWithExtensionCharacters) {
    // NEC and IBM extension characters exist only in this code page's variant.
    const std::string text = "①Ⅹ㈱髙﨑 ﾊﾝﾃﾞｨｷｬｯﾌﾟ 棋譜";
    const auto bytes = utf8ToCp932(text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(cp932ToUtf8(*bytes), text);
    EXPECT_FALSE(utf8ToCp932("\xF0\x9F\x98\x80"));  // no such character in the code page
    EXPECT_FALSE(cp932ToUtf8("\x81"));               // a lead byte without its trail
}

TEST_F(TempDir, RecordFileRoundTripIsCp932WithCrLf) {
    RecordFile record;
    record.title = "対局名";
    record.blackPlayer = "ｺﾝﾋﾟｭｰﾀ";
    record.whitePlayer = "あなた";
    Board start;
    setStartPosition(start);
    record.snapshots = {{start, start}, {start, Board{}}};
    std::string bytes, error;
    ASSERT_TRUE(encodeRecordFile(record, bytes, error)) << error;
    ASSERT_TRUE(writeFileAtomically(dir / "a.棋譜", bytes, error)) << error;
    const std::string onDisk = readBytes(dir / "a.棋譜");
    EXPECT_EQ(onDisk.substr(0, 8), "\x91\xce\x8b\xc7\x96\xbc\r\n");  // 対局名 in CP932
    EXPECT_EQ(onDisk.size(), (6 + 2) + (7 + 2) + (6 + 2) + 2 * 514u);  // half-width kana take one byte
    RecordFile back;
    ASSERT_TRUE(readRecordFileStrict(dir / "a.棋譜", back, error)) << error;
    EXPECT_EQ(back.title, record.title);
    EXPECT_EQ(back.blackPlayer, record.blackPlayer);
    EXPECT_EQ(back.whitePlayer, record.whitePlayer);
    ASSERT_EQ(back.snapshots.size(), 2u);
    EXPECT_EQ(back.snapshots[1].right, Board{});
}

TEST_F(TempDir, StrictReaderNamesFileAndLine) {
    const std::string good(512, ' ');
    struct Case {
        std::string content;
        std::string expected;
    };
    const Case cases[] = {
        {"t\r\nb\r\nw\r\n", ":4: no snapshot line"},
        {"t\nb\nw\n" + good + "\n" + good.substr(0, 510) + "\n", ":5: snapshot line has 510 characters"},
        // One blank too many is no longer the fixed width, even if every field reads.
        {"t\r\nb\r\nw\r\n" + good + " \r\n", ":4: snapshot line has 513 characters"},
        {"t\nb\nw\n" + std::string(508, ' ') + "  12\n", ":4: field 128"},
    };
    for (const Case& c : cases) {
        const fs::path p = write("bad.棋譜", c.content);
        RecordFile r;
        std::string error;
        EXPECT_FALSE(readRecordFileStrict(p, r, error));
        EXPECT_NE(error.find(p.string() + c.expected), std::string::npos) << error;
    }
    RecordFile r;
    std::string error;
    EXPECT_FALSE(readRecordFileStrict(dir / "missing.棋譜", r, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    EXPECT_FALSE(readRecordFileStrict(dir, r, error));
    EXPECT_NE(error.find("is a directory"), std::string::npos);
    // LF line ends and a final line without a line end are fine.
    const fs::path p = write("lf.棋譜", "t\nb\nw\n" + good);
    EXPECT_TRUE(readRecordFileStrict(p, r, error)) << error;
}

TEST_F(TempDir, FailedWriteKeepsTheExistingFile) {
    // The owner made the file read-only: it is not replaced behind their back.
    const fs::path target = write("keep.棋譜", "old contents");
    fs::permissions(target, fs::perms(0444));
    std::string error;
    EXPECT_FALSE(writeFileAtomically(target, "new contents", error));
    EXPECT_EQ(error, target.string() + ": cannot create: Permission denied");
    EXPECT_EQ(readBytes(target), "old contents");
}

TEST_F(TempDir, AFolderIsNeverReplacedAndNothingIsLeftBehind) {
    fs::create_directories(dir / "busy.棋譜" / "inside");
    std::string error;
    EXPECT_FALSE(writeFileAtomically(dir / "busy.棋譜", "new contents", error));
    EXPECT_NE(error.find("cannot create: Is a directory"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(dir / "busy.棋譜" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
}

TEST_F(TempDir, WriteIntoAMissingDirectoryFailsCleanly) {
    std::string error;
    EXPECT_FALSE(writeFileAtomically(dir / "no" / "such.棋譜", "x", error));
    EXPECT_FALSE(fs::exists(dir / "no"));
}

}  // namespace
}  // namespace velmora
