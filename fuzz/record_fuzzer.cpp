// libFuzzer target: the record file readers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "record_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!velmora::fuzz::recordInput(std::string(reinterpret_cast<const char*>(data), size))) std::abort();
    return 0;
}
