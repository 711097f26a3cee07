#pragma once
// What the position fuzzer does with one input; the regression test runs the
// same on every seed and every input kept from an earlier crash.
#include <algorithm>
#include <string>

#include "record/position_text.h"

namespace velmora::fuzz {

// Returns false when the reader breaks its promises: a refusal must point
// inside the text (or just past its end) and name a field, and an accepted
// text must be written back byte for byte (a line end aside) and read again
// as the same position.
inline bool positionInput(const std::string& bytes) {
    PositionTextError error;
    const std::optional<PositionText> p = readPositionText(bytes, &error);
    if (!p) {
        const int limit = static_cast<int>(std::min(bytes.size(), MAX_POSITION_TEXT_BYTES)) + 1;
        return error.column >= 1 && error.column <= limit && !positionErrorLine(error).empty();
    }
    std::string body = bytes;
    if (body.ends_with("\r\n")) {
        body.resize(body.size() - 2);
    } else if (body.ends_with('\n')) {
        body.pop_back();
    }
    const std::string written = writePositionText(*p);
    return written == body && readPositionText(written) == p;
}

}  // namespace velmora::fuzz
