#include "text/escaped_text.h"

namespace velmora {

std::string escapeForMessage(std::string_view text) {
    static const char HEX[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7f) {
            out += "\\x";
            out += HEX[byte >> 4];
            out += HEX[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace velmora
