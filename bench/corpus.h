#pragma once
// Positions from real two-board play, shared by the benchmarks.
#include <stdexcept>

#include "record/record_file.h"

namespace velmora::bench {

inline const RecordFile& corpus() {
    static const RecordFile record = [] {
        RecordFile r;
        std::string error;
        if (!readRecordFileStrict(VELMORA_CORPUS_FILE, r, error)) throw std::runtime_error(error);
        return r;
    }();
    return record;
}

}  // namespace velmora::bench
