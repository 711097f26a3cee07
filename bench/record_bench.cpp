// Loading a full record: 3 header lines and 501 snapshot lines, as the game's
// loader reads them, and formatting them for saving.
#include <benchmark/benchmark.h>


#include "corpus.h"
#include "record/record_commands.h"

using namespace velmora;

namespace {

std::string fullRecord() {
    const auto& snapshots = bench::corpus().snapshots;
    RecordFile record;
    record.title = "対局";
    record.blackPlayer = "ｺﾝﾋﾟｭｰﾀ";
    record.whitePlayer = "あなた";
    for (int n = 0; n < HISTORY_SIZE; ++n) record.snapshots.push_back(snapshots[static_cast<size_t>(n) % snapshots.size()]);
    std::string bytes, error;
    encodeRecordFile(record, bytes, error);
    return bytes;
}

void BM_LoadFullRecord(benchmark::State& state) {
    const std::string bytes = fullRecord();
    for (auto _ : state) {
        LoadedRecord record = readRecord(bytes);
        benchmark::DoNotOptimize(record);
        if (record.snapshots.size() != static_cast<size_t>(HISTORY_SIZE)) state.SkipWithError("short read");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadFullRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
