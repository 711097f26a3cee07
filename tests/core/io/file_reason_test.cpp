// The reason line of the failure boxes and the shortened paths above it.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "io/file_reason.h"

namespace velmora {
namespace {

std::size_t characters(const std::string& s) {
    std::size_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Every byte sequence is a whole UTF-8 character: a lead byte followed by
// exactly as many continuation bytes as it announces.
bool wholeCharacters(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > s.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

TEST(FileReason, CommonReasonsAreJapaneseAndTheRestFallBackToTheSystem) {
    const std::pair<int, const char*> worded[] = {
        {ENOENT, "ﾌｧｲﾙまたはﾌｫﾙﾀﾞがありません"}, {EACCES, "ｱｸｾｽが許可されていません"},
        {ENOSPC, "ﾃﾞｨｽｸがいっぱいです"},          {ENAMETOOLONG, "ﾌｧｲﾙ名が長すぎます"},
        {EISDIR, "ﾌｧｲﾙではなくﾌｫﾙﾀﾞです"},        {EROFS, "読み込み専用のﾃﾞｨｽｸです"},
        {EFBIG, "ﾌｧｲﾙｻｲｽﾞの制限を超えました"},    {FILE_NOT_REGULAR, "通常のﾌｧｲﾙではありません"},
        {FILE_TOO_LARGE, "ﾌｧｲﾙが大きすぎます"},
    };
    for (const auto& [code, text] : worded) EXPECT_EQ(fileReasonText(code), text) << code;
    EXPECT_EQ(fileReasonText(ENOTSOCK), std::strerror(ENOTSOCK));
    EXPECT_EQ(fileReasonTextEnglish(FILE_NOT_REGULAR), "not a regular file");
    EXPECT_EQ(fileReasonTextEnglish(ENOSPC), std::strerror(ENOSPC));
}

TEST(ElidePath, LongPathsKeepTheirStartAndTheFileNameWithinTheWidth) {
    EXPECT_EQ(elidePath("/home/a/game.棋譜"), "/home/a/game.棋譜");
    const std::string ascii = "/home/someone/" + std::string(100, 'd') + "/final-game.棋譜";
    const std::string shortened = elidePath(ascii);
    EXPECT_EQ(characters(shortened), 56u);
    EXPECT_EQ(shortened.find("/home/"), 0u);
    EXPECT_NE(shortened.find("…"), std::string::npos);
    EXPECT_EQ(shortened.substr(shortened.size() - 20), ascii.substr(ascii.size() - 20));
    // Japanese folder names: every cut falls between characters.
    std::string japanese = "/";
    for (int k = 0; k < 40; ++k) japanese += "棋譜ﾌｫﾙﾀﾞ/";
    for (std::size_t width : {10u, 11u, 56u, 57u}) {
        const std::string cut = elidePath(japanese + "対局.棋譜", width);
        EXPECT_TRUE(wholeCharacters(cut)) << width;
        EXPECT_EQ(characters(cut), width);
        EXPECT_EQ(cut.substr(cut.size() - 6), "棋譜");
    }
}

}  // namespace
}  // namespace velmora
