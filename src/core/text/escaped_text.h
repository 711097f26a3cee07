#pragma once
#include <string>
#include <string_view>

namespace velmora {

// The text with control and non-ASCII bytes (and the backslash) written as
// \xNN escapes, so a message stays one printable line whatever it quotes: a
// value from the command line or another program's output cannot move the
// terminal's cursor, change its colours or start a line of its own.
std::string escapeForMessage(std::string_view text);

}  // namespace velmora
