#include "io/stale_temporaries.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <system_error>

namespace velmora {

namespace fs = std::filesystem;

namespace {

// The names FileWriter gives its temporaries.
bool temporaryName(const std::string& name) {
    static const std::string PREFIX = ".velmora-", SUFFIX = ".tmp";
    return name.size() > PREFIX.size() + SUFFIX.size() && name.compare(0, PREFIX.size(), PREFIX) == 0 &&
           name.compare(name.size() - SUFFIX.size(), SUFFIX.size(), SUFFIX) == 0;
}

}  // namespace

int removeStaleTemporaries(const fs::path& folder, std::chrono::seconds age, fs::file_time_type now) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return 0;
    int removed = 0;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        const fs::directory_entry& entry = *it;
        if (!temporaryName(entry.path().filename().string())) continue;
        // lstat: a link named like a temporary is not one of ours, and neither
        // is a file of another user (a shared folder holds theirs too).
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        std::error_code statusError;
        const fs::file_time_type changed = fs::last_write_time(entry.path(), statusError);
        if (statusError || now - changed <= age) continue;
        if (fs::remove(entry.path(), statusError) && !statusError) ++removed;
    }
    return removed;
}

}  // namespace velmora
