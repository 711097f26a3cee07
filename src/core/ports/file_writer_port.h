#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace velmora {

// What a failed write reports: the step that failed and its reason (an errno
// value, or FILE_NOT_REGULAR for a target that is no regular file).
struct WriteFailure {
    const char* step = nullptr;  // "create", "write", "replace", ...
    int reason = 0;
};

// Writes files so that a failed write never damages the file already there:
// the bytes go to a new temporary file of a unique name beside the target,
// created exclusively (never through a link), flushed to the disk, given the
// target's permissions and renamed over it; the folder is then synced. A
// target that is a symbolic link is replaced where the link points, so the
// link stays. Only a regular file the person may write is replaced. Each step
// is a virtual call, so a test can make any of them fail.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    // True when written; otherwise `failure` says where and why, and no
    // temporary file is left behind.
    bool write(const std::filesystem::path& path, const std::string& bytes, WriteFailure& failure);
    // The same, with the failure as one English line naming the file.
    bool writeAtomically(const std::filesystem::path& path, const std::string& bytes, std::string& error);

protected:
    // Each returns 0 or an errno value.
    virtual int openTemporary(const std::filesystem::path& folder, std::filesystem::path& temp, int& fd);
    virtual int writeAll(int fd, const std::string& bytes);
    virtual int copyPermissions(int fd, mode_t mode);
    virtual int flushAndClose(int fd);
    virtual int renameOver(const std::filesystem::path& temp, const std::filesystem::path& path);
    virtual int syncFolder(const std::filesystem::path& folder);
};

// Writing past a file-size limit fails with EFBIG instead of ending the
// program with SIGXFSZ. Called before the first write; harmless to repeat.
void ignoreFileSizeSignal();

}  // namespace velmora
