#pragma once
// What the file fuzzer does with one input: the bounded file reader on the
// bytes stored as a file, and the snapshot-line parser on them. The
// regression test runs the same on every seed.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "io/file_reason.h"
#include "io/whole_file.h"
#include "record/snapshot_line.h"

namespace velmora::fuzz {

// One scratch file per process, reused for every input and removed at exit.
struct ScratchFile {
    std::filesystem::path path;
    ScratchFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) std::abort();
        ::close(fd);
        path = pattern;
    }
    ~ScratchFile() { ::unlink(path.c_str()); }
};

inline const std::filesystem::path& scratchFile() {
    static const ScratchFile file;
    return file.path;
}

inline bool storeBytes(const std::string& bytes) {
    const int fd = ::open(scratchFile().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return ::close(fd) == 0 && written;
}

// Returns false when the reader or the parser breaks its promise.
inline bool fileInput(const std::string& bytes) {
    // The first byte picks the bound, so inputs land below, at and above it.
    const std::size_t bound = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) * 300u;
    if (!storeBytes(bytes)) return false;
    std::string read;
    int reason = 0;
    const FileRead result = readWholeFile(scratchFile(), bound, read, reason);
    if (bytes.size() <= bound) {
        if (result != FileRead::Ok || read != bytes || reason != 0) return false;
    } else if (result != FileRead::Failed || reason != FILE_TOO_LARGE || !read.empty()) {
        return false;
    }
    // A line that parses formats to a line that parses to the same boards;
    // one that does not parse says why.
    std::string error;
    const std::optional<SnapshotPair> pair = parseSnapshotLine(bytes, &error);
    if (!pair) return !error.empty();
    const std::optional<SnapshotPair> again = parseSnapshotLine(formatSnapshotLine(pair->left, pair->right));
    return again && again->left == pair->left && again->right == pair->right;
}

}  // namespace velmora::fuzz
