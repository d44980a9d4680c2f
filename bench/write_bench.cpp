// Saving speed of a large record: the whole save (configuration, data, settings, each written
// beside its target, flushed to the disk and renamed over it), and the data alone built in
// memory. The save is timed by the clock on the wall, as its user waits for it.
#include "core/document/Document.h"
#include "core/formats/ComtradeReader.h"
#include "core/formats/ComtradeWriter.h"
#include "support/SyntheticRecord.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <memory>

namespace {

using zarva::bench::SyntheticRecord;

const SyntheticRecord kBinary{"BINARY", 64, 64, 1'000'000, 4800.0};

// The record read once per run from a temporary folder removed at exit.
class LoadedRecord {
public:
    LoadedRecord()
    {
        zarva::ReadComtradeFiles(document_, zarva::bench::WriteSyntheticRecord(kBinary, folder_, "source"));
    }
    ~LoadedRecord()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    LoadedRecord(const LoadedRecord&) = delete;
    LoadedRecord& operator=(const LoadedRecord&) = delete;

    zarva::Document& Document() { return document_; }
    std::filesystem::path Target() const { return folder_ / "saved.cfg"; }

private:
    std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() / ("zarva-write-bench-" + std::to_string(::getpid()));
    zarva::Document document_;
};

LoadedRecord& Record()
{
    static LoadedRecord record;
    return record;
}

void SetPerValue(benchmark::State& state)
{
    state.counters["time_per_value"] = benchmark::Counter(static_cast<double>(zarva::bench::StoredValues(kBinary)),
                                                          benchmark::Counter::kIsIterationInvariantRate |
                                                              benchmark::Counter::kInvert);
}

void SaveAsBinary(benchmark::State& state)
{
    LoadedRecord& record = Record();
    for (auto _ : state)
        zarva::SaveComtrade(record.Document(), record.Target(), {"BINARY"});
    SetPerValue(state);
}

void BuildBinaryData(benchmark::State& state)
{
    const zarva::ComtradeWriter writer(Record().Document().oscillogram, zarva::DataFormat::Binary);
    for (auto _ : state) {
        std::uint64_t bytes = 0;
        writer.BuildData([&bytes](std::string_view block) { bytes += block.size(); });
        benchmark::DoNotOptimize(bytes);
    }
    SetPerValue(state);
}

BENCHMARK(SaveAsBinary)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BuildBinaryData)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
