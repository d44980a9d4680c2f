// Reading speed of large records, against the time merely to read the same files' bytes and
// to fill fresh memory for the same samples, and the peak memory of a read against the stored
// samples.
#include "core/document/Document.h"
#include "core/formats/ComtradeReader.h"
#include "support/SyntheticRecord.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using zarva::bench::SyntheticRecord;

const SyntheticRecord kBinary{"BINARY", 64, 64, 1'000'000, 4800.0};
const SyntheticRecord kAscii{"ASCII", 64, 16, 200'000, 4800.0};

// Generated once per run into a temporary folder removed at exit.
class RecordFolder {
public:
    ~RecordFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path Get(const SyntheticRecord& record)
    {
        auto& path = records_[record.type];
        if (path.empty())
            path = zarva::bench::WriteSyntheticRecord(record, folder_, record.type);
        return path;
    }

private:
    std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() / ("zarva-read-bench-" + std::to_string(::getpid()));
    std::map<std::string, std::filesystem::path> records_;
};

RecordFolder& Records()
{
    static RecordFolder folder;
    return folder;
}

void SetPerValue(benchmark::State& state, const SyntheticRecord& record)
{
    state.counters["time_per_value"] = benchmark::Counter(static_cast<double>(zarva::bench::StoredValues(record)),
                                                          benchmark::Counter::kIsIterationInvariantRate |
                                                              benchmark::Counter::kInvert);
}

void ReadRecord(benchmark::State& state, const SyntheticRecord& record)
{
    const std::filesystem::path cfg = Records().Get(record);
    for (auto _ : state) {
        auto document = std::make_unique<zarva::Document>();
        zarva::ReadComtradeFiles(*document, cfg);
        benchmark::DoNotOptimize(document->oscillogram.channels.data());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    SetPerValue(state, record);
}

std::uint64_t ReadBytes(const std::filesystem::path& path)
{
    std::vector<char> buffer(1 << 20);
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::uint64_t sum = 0;
    for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;)
        sum += static_cast<unsigned char>(buffer[static_cast<std::size_t>(got) - 1]);
    ::close(fd);
    return sum;
}

// The floor: the bytes of the configuration and data files read into memory, nothing parsed.
void ReadFilesOnly(benchmark::State& state, const SyntheticRecord& record)
{
    const std::filesystem::path cfg = Records().Get(record);
    const std::filesystem::path dat = std::filesystem::path(cfg).replace_extension(".dat");
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadBytes(cfg) + ReadBytes(dat));
    SetPerValue(state, record);
}

// The other floor: fresh memory for the stored samples, huge pages advised as the reader does,
// written once. The system must hand over zeroed pages, which no reader can avoid.
void FillSamplesOnly(benchmark::State& state, const SyntheticRecord& record)
{
    constexpr std::uintptr_t kHugePage = std::uintptr_t{1} << 21;
    for (auto _ : state) {
        std::vector<std::vector<double>> channels(record.analogCount + record.discreteCount);
        for (std::vector<double>& samples : channels) {
            samples.reserve(record.samples);
            const auto begin = (reinterpret_cast<std::uintptr_t>(samples.data()) + kHugePage - 1) & ~(kHugePage - 1);
            const auto end = reinterpret_cast<std::uintptr_t>(samples.data() + samples.capacity()) & ~(kHugePage - 1);
            if (end > begin)
                ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
            samples.resize(record.samples, 1.0);
        }
        benchmark::DoNotOptimize(channels.data());
        state.PauseTiming();
        channels.clear();
        state.ResumeTiming();
    }
    SetPerValue(state, record);
}

std::uint64_t StatusKilobytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(key + ":"))
            return std::stoull(line.substr(key.size() + 1));
    }
    return 0;
}

// Peak resident memory of one read (the high-water mark is reset first), against the
// stored samples as doubles.
void PeakMemory(benchmark::State& state, const SyntheticRecord& record)
{
    const std::filesystem::path cfg = Records().Get(record);
    double ratio = 0.0;
    double peakBytes = 0.0;
    for (auto _ : state) {
        std::ofstream("/proc/self/clear_refs") << "5";
        const std::uint64_t before = StatusKilobytes("VmRSS");
        {
            zarva::Document document;
            zarva::ReadComtradeFiles(document, cfg);
            peakBytes = 1024.0 * static_cast<double>(StatusKilobytes("VmHWM") - before);
        }
        ratio = peakBytes / (8.0 * static_cast<double>(zarva::bench::StoredValues(record)));
    }
    state.counters["peak_MiB"] = peakBytes / (1 << 20);
    state.counters["samples_MiB"] = 8.0 * static_cast<double>(zarva::bench::StoredValues(record)) / (1 << 20);
    state.counters["peak_per_stored"] = ratio;
}

// Peak memory first, while the heap holds nothing freed by earlier reads.
BENCHMARK_CAPTURE(PeakMemory, binary_64a_64d_1M, kBinary)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(PeakMemory, ascii_64a_16d_200k, kAscii)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(ReadRecord, binary_64a_64d_1M, kBinary)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(ReadFilesOnly, binary_64a_64d_1M, kBinary)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillSamplesOnly, binary_64a_64d_1M, kBinary)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(ReadRecord, ascii_64a_16d_200k, kAscii)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(ReadFilesOnly, ascii_64a_16d_200k, kAscii)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillSamplesOnly, ascii_64a_16d_200k, kAscii)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
