// libFuzzer target: the position text reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "position_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!velmora::fuzz::positionInput(std::string(reinterpret_cast<const char*>(data), size))) std::abort();
    return 0;
}
