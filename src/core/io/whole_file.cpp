#include "io/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "io/file_reason.h"

namespace velmora {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

FileRead readWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& reason) {
    bytes.clear();
    reason = 0;
    auto failed = [&](int code) {
        bytes.clear();
        reason = code;
        return FileRead::Failed;
    };
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno != ENOENT) return failed(errno);
        reason = ENOENT;
        return FileRead::Missing;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return failed(errno);
    if (S_ISDIR(st.st_mode)) return failed(EISDIR);
    if (!S_ISREG(st.st_mode)) return failed(FILE_NOT_REGULAR);
    if ((st.st_mode & S_IRUSR) == 0) return failed(EACCES);
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > maxBytes) return failed(FILE_TOO_LARGE);
    // The size can change while we read; the bound holds whatever it does.
    bytes.resize(std::min(maxBytes, static_cast<std::size_t>(st.st_size)) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxBytes) return failed(FILE_TOO_LARGE);
            bytes.resize(std::min(maxBytes + 1, bytes.size() * 2));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return failed(errno);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done > maxBytes) return failed(FILE_TOO_LARGE);
    bytes.resize(done);
    return FileRead::Ok;
}

bool LineSplitter::next(std::string_view& line) {
    if (start_ >= text_.size()) return false;
    std::size_t end = text_.find_first_of(ends_ == LF ? "\n" : "\r\n", start_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(start_, end - start_);
    rawLength_ = line.size();
    start_ = end + 1;
    if (ends_ == LF) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    } else if (end < text_.size() && text_[end] == '\r' && start_ < text_.size() && text_[start_] == '\n') {
        ++start_;
    }
    return true;
}

}  // namespace velmora
