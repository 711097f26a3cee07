#include "record/resume.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "record/kept_game.h"
#include "record/record_file.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

// Holds an exclusive lock on a folder while it lives. A folder that cannot
// be opened is not locked; the write then finds its own failure.
class FolderLock {
public:
    explicit FolderLock(const fs::path& folder) : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

// resume.棋譜, unless another program kept its game there after this one
// started: then the first free resume-N.棋譜 beside it.
fs::path keepingPath(const fs::path& path, fs::file_time_type startedAt) {
    std::error_code ec;
    const fs::file_time_type written = fs::last_write_time(path, ec);
    if (ec || written < startedAt) return path;
    for (int n = 2; n < 1000; ++n) {
        fs::path other = path;
        other.replace_filename(path.stem().string() + "-" + std::to_string(n) + path.extension().string());
        if (!fs::exists(fs::symlink_status(other, ec))) return other;
    }
    return path;
}

}  // namespace

std::optional<KeepFailure> writeResumeRecord(Game& g, bool underWay) {
    if (!g.movesUnsaved) return std::nullopt;
    const GameState& st = g.state;
    RecordFile record;  // no players, as a save with empty boxes
    for (int n = 0; n <= st.lastMoveNumber && History::valid(n); ++n) {
        record.snapshots.push_back({g.history.left[n], g.history.right[n]});
    }
    // A game under way says in its title how it was being played, so that
    // 前回の対局 can go on with it; a finished game or a record is kept as one.
    if (underWay) {
        KeptGame kept{st.gameMode, st.comLevel, g.playerClocks.control()};
        if (kept.control.on()) {
            kept.whiteMs = g.playerClocks.remainingMs(Colour::White, g.pauses().now());
            kept.blackMs = g.playerClocks.remainingMs(Colour::Black, g.pauses().now());
        }
        record.title = keptGameLine(kept);
    }
    const fs::path path = g.options.resumePath(RESUME_FILE_NAME);
    std::string bytes, error;
    // Empty header lines and board snapshots always encode.
    if (!encodeRecordFile(record, bytes, error)) return KeepFailure{path, EINVAL};
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code ec;
    fs::create_directories(folder, ec);
    const FolderLock lock(folder);
    const fs::path target = keepingPath(path, g.options.startedAt);
    WriteFailure failure;
    if (!g.files().write(target, bytes, failure)) return KeepFailure{target, failure.reason};
    g.movesUnsaved = false;
    return std::nullopt;
}

}  // namespace velmora
