#include "io/file_reason.h"

#include <cerrno>
#include <cstring>

namespace velmora {

std::string fileReasonText(int reason) {
    switch (reason) {
        case FILE_NOT_REGULAR: return "通常のﾌｧｲﾙではありません";
        case FILE_TOO_LARGE: return "ﾌｧｲﾙが大きすぎます";
        case ENOENT: return "ﾌｧｲﾙまたはﾌｫﾙﾀﾞがありません";
        case ENOTDIR: return "途中にﾌｫﾙﾀﾞでないものがあります";
        case EACCES:
        case EPERM: return "ｱｸｾｽが許可されていません";
        case ENOSPC: return "ﾃﾞｨｽｸがいっぱいです";
        case EDQUOT: return "ﾃﾞｨｽｸの使用量の制限を超えました";
        case ENAMETOOLONG: return "ﾌｧｲﾙ名が長すぎます";
        case EISDIR: return "ﾌｧｲﾙではなくﾌｫﾙﾀﾞです";
        case EROFS: return "読み込み専用のﾃﾞｨｽｸです";
        case EFBIG: return "ﾌｧｲﾙｻｲｽﾞの制限を超えました";
        case EIO: return "ﾃﾞｨｽｸの読み書きに失敗しました";
        case ELOOP: return "ｼﾝﾎﾞﾘｯｸﾘﾝｸをたどれません";
        case EMFILE:
        case ENFILE: return "開いているﾌｧｲﾙが多すぎます";
        case ENOMEM: return "ﾒﾓﾘが足りません";
        case EBUSY:
        case ETXTBSY: return "ﾌｧｲﾙが使用中です";
        case EXDEV: return "別のﾃﾞｨｽｸをまたいで置き換えられません";
        case EEXIST: return "同じ名前のﾌｧｲﾙがあります";
        default: return std::strerror(reason);
    }
}

std::string fileReasonTextEnglish(int reason) {
    switch (reason) {
        case FILE_NOT_REGULAR: return "not a regular file";
        case FILE_TOO_LARGE: return "file too large for a game record";
        default: return std::strerror(reason);
    }
}

namespace {

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The number of UTF-8 characters.
std::size_t characterCount(const std::string& s) {
    std::size_t n = 0;
    for (char c : s) n += continuationByte(c) ? 0 : 1;
    return n;
}

// The byte offset where character `k` starts.
std::size_t offsetOf(const std::string& s, std::size_t k) {
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        if (!continuationByte(s[i])) {
            if (k == 0) return i;
            --k;
        }
    }
    return s.size();
}

}  // namespace

std::string elidePath(const std::string& path, std::size_t maxChars) {
    const std::size_t count = characterCount(path);
    if (count <= maxChars || maxChars < 3) return path;
    // The end names the file, so it keeps the larger half.
    const std::size_t keep = maxChars - 1;
    const std::size_t head = keep / 2 - keep / 8;
    const std::size_t tail = keep - head;
    return path.substr(0, offsetOf(path, head)) + "…" + path.substr(offsetOf(path, count - tail));
}

}  // namespace velmora
