#pragma once
// Positions from real two-board play, shared by the benchmarks.
#include <stdexcept>

#include "record/record_file.h"

namespace velmora::bench {

inline RecordFile corpusFile(const char* path) {
    RecordFile r;
    std::string error;
    if (!readRecordFileStrict(path, r, error)) throw std::runtime_error(error);
    return r;
}

inline const RecordFile& corpus() {
    static const RecordFile record = corpusFile(VELMORA_CORPUS_FILE);
    return record;
}

}  // namespace velmora::bench
