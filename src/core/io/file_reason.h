#pragma once
#include <cstddef>
#include <string>

namespace velmora {

// Why a file could not be read or written: an errno value, or one of the
// reasons the game itself refuses a file for.
constexpr int FILE_NOT_REGULAR = -1;  // a device, a pipe, a socket
constexpr int FILE_TOO_LARGE = -2;    // larger than any file the game writes

// The reason in Japanese, as the line under a failed load or save box; the
// system's own text only for a reason without a wording of ours.
std::string fileReasonText(int reason);

// The reason in English, for velmora-cli's messages.
std::string fileReasonTextEnglish(int reason);

// A path shortened in its middle to at most `maxChars` characters (UTF-8
// characters, never cut), so a message box keeps a reasonable width.
std::string elidePath(const std::string& path, std::size_t maxChars = 56);

}  // namespace velmora
