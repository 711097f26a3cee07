#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Conversions at the file boundary: record and settings files are CP932 on
// disk, strings are UTF-8 inside. Nothing when the text cannot be converted.
std::optional<std::string> cp932ToUtf8(std::string_view bytes);
std::optional<std::string> utf8ToCp932(std::string_view text);
// For text only shown: bytes that are no CP932 character read as "?".
std::string cp932ToUtf8Lossy(std::string_view bytes);

}  // namespace velmora
