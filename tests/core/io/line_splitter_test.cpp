// Splitting a file's bytes into lines: record files end lines with LF (a CR
// before it goes with it), the settings file with CR LF, LF or CR alone.
#include <gtest/gtest.h>

#include "io/whole_file.h"
#include "record/record_commands.h"
#include "rules/setup.h"
#include "record/snapshot_line.h"

namespace velmora {
namespace {

std::vector<std::string> split(std::string_view text, LineSplitter::Ends ends) {
    std::vector<std::string> out;
    LineSplitter lines(text, ends);
    for (std::string_view line; lines.next(line);) out.emplace_back(line);
    return out;
}

using Lines = std::vector<std::string>;

TEST(LineSplitter, RecordFileLineEnds) {
    EXPECT_EQ(split("", LineSplitter::LF), Lines{});
    EXPECT_EQ(split("a", LineSplitter::LF), Lines{"a"});
    EXPECT_EQ(split("a\n", LineSplitter::LF), Lines{"a"});
    EXPECT_EQ(split("a\r\nb\r\n", LineSplitter::LF), (Lines{"a", "b"}));
    EXPECT_EQ(split("a\n\nb", LineSplitter::LF), (Lines{"a", "", "b"}));
    // A CR elsewhere is part of the line; only one goes with the LF.
    EXPECT_EQ(split("a\rb\r\r\n", LineSplitter::LF), (Lines{"a\rb\r"}));
    EXPECT_EQ(split("\n", LineSplitter::LF), Lines{""});
}

TEST(LineSplitter, HandEditedLineEnds) {
    EXPECT_EQ(split("a\rb\nc\r\nd", LineSplitter::ANY), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(split("a\r\r\nb\n\r", LineSplitter::ANY), (Lines{"a", "", "b", ""}));
    EXPECT_EQ(split("\r\n", LineSplitter::ANY), Lines{""});
}

TEST(LineSplitter, RawLengthCountsTheCrThatWentWithTheLf) {
    LineSplitter lines("ab\r\ncd\n", LineSplitter::LF);
    std::string_view line;
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, "ab");
    EXPECT_EQ(lines.rawLength(), 3u);
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(lines.rawLength(), 2u);
    EXPECT_FALSE(lines.next(line));
}

// The record loader's bound is on the line as the file has it.
TEST(LineSplitter, TheLoadersLongestHeaderLine) {
    Board start;
    setStartPosition(start);
    const std::string snapshot = formatSnapshotLine(start, start) + "\r\n";
    const std::string longest(MAX_RECORD_LINE_BYTES, 'x');
    const LoadedRecord fits = readRecord(longest + "\nb\r\nw\r\n" + snapshot);
    EXPECT_EQ(fits.unreadLine, 0);
    EXPECT_EQ(fits.snapshots.size(), 1u);
    EXPECT_EQ(fits.header[0]->size(), MAX_RECORD_LINE_BYTES);
    const LoadedRecord tooLong = readRecord(longest + "\r\nb\r\nw\r\n" + snapshot);
    EXPECT_EQ(tooLong.unreadLine, 1);
    EXPECT_TRUE(tooLong.snapshots.empty());
}

}  // namespace
}  // namespace velmora
