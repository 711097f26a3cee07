#include "record/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace velmora {
namespace {

// One converter per direction, opened on first use and kept: opening one
// costs far more than converting a line, and the lossy reading converts a
// damaged header one character at a time.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (usable()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Back to the initial shift state, as a freshly opened converter.
    iconv_t reset() {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

std::optional<std::string> convert(std::string_view in, Converter& converter) {
    if (!converter.usable()) return std::nullopt;
    iconv_t cd = converter.reset();
    std::string out;
    std::vector<char> buffer(4 * in.size() + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> cp932ToUtf8(std::string_view bytes) {
    thread_local Converter toUtf8("UTF-8", "CP932");
    return convert(bytes, toUtf8);
}

std::string cp932ToUtf8Lossy(std::string_view bytes) {
    if (std::optional<std::string> whole = cp932ToUtf8(bytes)) return *whole;
    // Convert what can be converted, one character at a time.
    std::string out;
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        const bool twoBytes = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        const size_t length = twoBytes && i + 1 < bytes.size() ? 2 : 1;
        std::optional<std::string> one = cp932ToUtf8(bytes.substr(i, length));
        out += one ? *one : "?";
        i += length;
    }
    return out;
}
std::optional<std::string> utf8ToCp932(std::string_view text) {
    thread_local Converter toCp932("CP932", "UTF-8");
    return convert(text, toCp932);
}

}  // namespace velmora
