// libFuzzer target: the bounded file reader and the snapshot-line parser.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "file_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!velmora::fuzz::fileInput(std::string(reinterpret_cast<const char*>(data), size))) std::abort();
    return 0;
}
