#pragma once
#include <filesystem>
#include <string>

namespace velmora {

enum class FileRead { Ok, Missing, Failed };

// Reads a whole file as bytes. Missing: no file of that name. Failed: it is
// there but could not be read (a folder, no permission, an I/O error); `error`
// then holds the system's description.
FileRead readWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error);

}  // namespace velmora
