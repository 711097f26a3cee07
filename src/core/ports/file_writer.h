#pragma once
#include <filesystem>
#include <string>

namespace velmora {

// Writes files so that a failed write never damages the file already there:
// the bytes go to a temporary file beside it, which is flushed to the disk and
// then renamed over the old file. Each step is a virtual call, so a test can
// make any of them fail.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    // On failure `error` names the file and the system's reason.
    bool writeAtomically(const std::filesystem::path& path, const std::string& bytes, std::string& error);

protected:
    // Each returns 0 or an errno value.
    virtual int openTemporary(const std::filesystem::path& temp, int& fd);
    virtual int writeAll(int fd, const std::string& bytes);
    virtual int flushAndClose(int fd);
    virtual int renameOver(const std::filesystem::path& temp, const std::filesystem::path& path);
};

}  // namespace velmora
