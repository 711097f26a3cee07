#include "ports/file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace velmora {

int FileWriter::openTemporary(const std::filesystem::path& temp, int& fd) {
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd < 0 ? errno : 0;
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

int FileWriter::flushAndClose(int fd) {
    const int flushed = ::fsync(fd) == 0 ? 0 : errno;
    const int closed = ::close(fd) == 0 ? 0 : errno;
    return flushed != 0 ? flushed : closed;
}

int FileWriter::renameOver(const std::filesystem::path& temp, const std::filesystem::path& path) {
    return std::rename(temp.c_str(), path.c_str()) == 0 ? 0 : errno;
}

bool FileWriter::writeAtomically(const std::filesystem::path& path, const std::string& bytes, std::string& error) {
    std::filesystem::path temp = path;
    temp += ".tmp";
    auto fail = [&](const char* what, int code, bool removeTemp) {
        error = path.string() + ": " + what + ": " + std::strerror(code);
        if (removeTemp) ::unlink(temp.c_str());
        return false;
    };
    int fd = -1;
    if (const int e = openTemporary(temp, fd)) return fail("cannot create", e, false);
    if (const int e = writeAll(fd, bytes)) {
        ::close(fd);
        return fail("cannot write", e, true);
    }
    if (const int e = flushAndClose(fd)) return fail("cannot write", e, true);
    if (const int e = renameOver(temp, path)) return fail("cannot replace", e, true);
    return true;
}

}  // namespace velmora
