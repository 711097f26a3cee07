#pragma once
#include <chrono>
#include <filesystem>

namespace velmora {

// How old a temporary must be before start-up takes it for one a killed
// write left behind rather than one another running game is writing.
constexpr std::chrono::minutes STALE_TEMPORARY_AGE{10};

// Removes the temporaries an interrupted write left directly in `folder`:
// regular files named ".velmora-*.tmp" last changed more than `age` before
// `now` and owned by the user this program runs as. Links (never followed),
// folders, other users' files and every other name are left alone, as is
// anything that cannot be examined. Returns how many were removed.
int removeStaleTemporaries(const std::filesystem::path& folder, std::chrono::seconds age,
                           std::filesystem::file_time_type now = std::filesystem::file_time_type::clock::now());

}  // namespace velmora
