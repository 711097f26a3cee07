#include "ports/file_writer_port.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <random>

#include "io/file_reason.h"

namespace velmora {

namespace fs = std::filesystem;

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

namespace {

// Where a write to `path` lands: symbolic links are followed, so that a
// linked record or settings file is updated in place and the link stays.
int resolveTarget(const fs::path& path, fs::path& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        std::error_code ec;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return ec.value();
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return ELOOP;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

int FileWriter::openTemporary(const fs::path& folder, fs::path& temp, int& fd) {
    static const char LETTERS[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937_64 random{std::random_device{}()};
    // A short name of its own, so the longest name the folder allows still
    // saves; hidden, and never matching "*.棋譜".
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".velmora-";
        for (int k = 0; k < 10; ++k) name += LETTERS[random() % (sizeof LETTERS - 1)];
        name += ".tmp";
        temp = folder / name;
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) return 0;
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int FileWriter::writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

int FileWriter::copyPermissions(int fd, mode_t mode) { return ::fchmod(fd, mode) == 0 ? 0 : errno; }

int FileWriter::flushAndClose(int fd) {
    const int flushed = ::fsync(fd) == 0 ? 0 : errno;
    const int closed = ::close(fd) == 0 ? 0 : errno;
    return flushed != 0 ? flushed : closed;
}

int FileWriter::renameOver(const fs::path& temp, const fs::path& path) {
    return std::rename(temp.c_str(), path.c_str()) == 0 ? 0 : errno;
}

int FileWriter::syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    // Some file systems cannot sync a folder; the rename is then as safe as they allow.
    const int synced = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return synced;
}

bool FileWriter::write(const fs::path& path, const std::string& bytes, WriteFailure& failure) {
    ignoreFileSizeSignal();
    auto fail = [&](const char* step, int reason) {
        failure = {step, reason};
        return false;
    };
    fs::path target;
    if (const int e = resolveTarget(path, target)) return fail("create", e);
    mode_t mode = 0666 & ~currentUmask();
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fail("create", EISDIR);
        if (!S_ISREG(st.st_mode)) return fail("create", FILE_NOT_REGULAR);
        // A file its owner made read-only is kept, even for a user who could
        // replace it anyway; the same for one this user may not write.
        if ((st.st_mode & S_IWUSR) == 0) return fail("create", EACCES);
        if (::access(target.c_str(), W_OK) != 0) return fail("create", errno);
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return fail("create", errno);
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temp;
    int fd = -1;
    if (const int e = openTemporary(folder, temp, fd)) return fail("create", e);
    auto failAfterOpen = [&](const char* step, int reason, bool open) {
        if (open) ::close(fd);
        ::unlink(temp.c_str());
        return fail(step, reason);
    };
    if (const int e = writeAll(fd, bytes)) return failAfterOpen("write", e, true);
    if (const int e = copyPermissions(fd, mode)) return failAfterOpen("set the permissions of", e, true);
    if (const int e = flushAndClose(fd)) return failAfterOpen("write", e, false);
    if (const int e = renameOver(temp, target)) return failAfterOpen("replace", e, false);
    if (const int e = syncFolder(folder)) return fail("sync the folder of", e);
    return true;
}

bool FileWriter::writeAtomically(const fs::path& path, const std::string& bytes, std::string& error) {
    WriteFailure failure;
    if (write(path, bytes, failure)) return true;
    error = path.string() + ": cannot " + failure.step + ": " + fileReasonTextEnglish(failure.reason);
    return false;
}

}  // namespace velmora
