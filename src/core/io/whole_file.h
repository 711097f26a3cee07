#pragma once
#include <cstddef>
#include <filesystem>
#include <string>

namespace velmora {

enum class FileRead { Ok, Missing, Failed };

// Reads a whole file as bytes, without ever blocking or growing past
// `maxBytes`: the file is opened non-blocking (a pipe or a device never
// stalls the game) and must be a regular file no larger than the bound.
// Missing: no file of that name. Failed: it is there but cannot be read;
// `reason` then holds an errno value or FILE_NOT_REGULAR / FILE_TOO_LARGE.
// A file whose owner has taken away its read permission counts as
// unreadable even for a user privileged enough to read it anyway.
FileRead readWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& reason);

}  // namespace velmora
