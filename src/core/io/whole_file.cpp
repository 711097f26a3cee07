#include "io/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace velmora {

FileRead readWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error) {
    bytes.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (!ec) return FileRead::Missing;
        error = ec.message();
        return FileRead::Failed;
    }
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        error = std::strerror(errno);
        return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    }
    char chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.append(chunk, n);
        if (n < sizeof chunk) break;
    }
    // A folder opens but fails on the first read (EISDIR).
    if (std::ferror(file.get())) {
        error = std::strerror(errno != 0 ? errno : EIO);
        bytes.clear();
        return FileRead::Failed;
    }
    return FileRead::Ok;
}

}  // namespace velmora
