// Recompute of a 64-channel, 1,000,000-sample record at 4800 samples per second (96 a
// period): the running-sum path on one core and on every core, against the window
// definitions evaluated at every sample, which run on a slice and are scaled up.

#include "support/InMemoryRecord.h"

#include "core/document/Recompute.h"
#include "core/dsp/WindowMeasures.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace zarva {
namespace {

constexpr std::size_t kChannels = 64;
constexpr std::size_t kSamples = 1'000'000;
constexpr std::size_t kSliceSamples = 20'000;
constexpr std::int32_t kRate = 4800;

Document& Record()
{
    static const std::unique_ptr<Document> document = [] {
        auto made = std::make_unique<Document>();
        bench::FillInMemoryRecord(*made, kChannels, kSamples, kRate);
        return made;
    }();
    return *document;
}

void SetCurveMode(Document& document, std::uint32_t mode)
{
    for (Channel& channel : document.oscillogram.channels) {
        channel.SetFlag(display::kCurveModes, false);
        channel.SetFlag(mode, true);
    }
}

// Shown by the library as an inverted rate, so with the unit "s", but in nanoseconds:
// CPU time per sample per channel (wall time for the parallel runs).
void ReportPerSample(benchmark::State& state, double samplesPerIteration)
{
    state.counters["ns_per_sample_channel"] =
        benchmark::Counter(samplesPerIteration * 1e-9,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Each run first recomputes once untimed, so that the series already have their memory, as
// they do when a record is recomputed after a change.
void FastOneCore(benchmark::State& state, std::uint32_t mode)
{
    Document& document = Record();
    SetCurveMode(document, mode);
    RecomputeAll(document);
    for (auto _ : state) {
        for (Channel& channel : document.oscillogram.channels)
            channel.Recompute();
        benchmark::ClobberMemory();
    }
    ReportPerSample(state, static_cast<double>(kChannels * kSamples));
}

void FastParallel(benchmark::State& state, std::uint32_t mode)
{
    Document& document = Record();
    SetCurveMode(document, mode);
    RecomputeAll(document);
    for (auto _ : state) {
        RecomputeAll(document);
        benchmark::ClobberMemory();
    }
    ReportPerSample(state, static_cast<double>(kChannels * kSamples));
}

// What Recompute asks at each sample, answered by the definitions: the instantaneous value,
// the curve-mode measure and the first-harmonic phasor.
void DefinitionalSlice(benchmark::State& state, std::uint32_t mode)
{
    Document& document = Record();
    SetCurveMode(document, mode);
    std::vector<double> instant(kSliceSamples);
    std::vector<double> shown(kSliceSamples);
    std::vector<Phasor> phasors(kSliceSamples);
    for (auto _ : state) {
        for (const Channel& channel : document.oscillogram.channels) {
            for (std::size_t i = 0; i < kSliceSamples; ++i) {
                const auto pos = static_cast<std::int64_t>(kSamples / 2 + i);
                instant[i] = Value(channel, pos);
                if (mode == display::kCurveRms)
                    shown[i] = Rms(channel, pos, 1);
                else if (mode == display::kCurveFirstHarmonic)
                    shown[i] = HarmonicRms(channel, 1, pos);
                else
                    shown[i] = Value(channel, pos);
                phasors[i] = FirstHarmonicPhasor(channel, pos);
            }
            benchmark::DoNotOptimize(instant.data());
            benchmark::DoNotOptimize(shown.data());
            benchmark::DoNotOptimize(phasors.data());
        }
    }
    ReportPerSample(state, static_cast<double>(kChannels * kSliceSamples));
}

// The console output, then for each curve mode how many times faster the running sums are
// than the definitions, both on one core.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto counter = run.counters.find("ns_per_sample_channel");
            if (counter != run.counters.end())
                perSample_[run.run_name.function_name] = counter->second.value;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char* mode : {"instant", "rms", "first_harmonic"}) {
            const double fast = PerSample("FastOneCore", mode);
            const double parallel = PerSample("FastParallel", mode);
            const double slow = PerSample("DefinitionalSlice", mode);
            if (fast > 0.0 && slow > 0.0)
                std::printf("%-15s running sums %.2f ns per sample per channel on one core (%.2f ns "
                            "wall on every core), definitions %.1f ns: %.0fx faster\n",
                            mode, fast, parallel, slow, slow / fast);
        }
    }

private:
    double PerSample(const std::string& benchmark, const std::string& mode) const
    {
        const auto found = perSample_.find(benchmark + "/" + mode);
        return found == perSample_.end() ? 0.0 : found->second;
    }

    std::map<std::string, double> perSample_;
};

void Register()
{
    const std::pair<const char*, std::uint32_t> modes[] = {
        {"instant", display::kCurveInstant},
        {"rms", display::kCurveRms},
        {"first_harmonic", display::kCurveFirstHarmonic}};
    for (const auto& [name, mode] : modes) {
        const std::string suffix = std::string("/") + name;
        benchmark::RegisterBenchmark(("FastOneCore" + suffix).c_str(), FastOneCore, mode)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(2);
        benchmark::RegisterBenchmark(("FastParallel" + suffix).c_str(), FastParallel, mode)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(2);
        benchmark::RegisterBenchmark(("DefinitionalSlice" + suffix).c_str(), DefinitionalSlice, mode)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
}

} // namespace
} // namespace zarva

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    zarva::Register();
    zarva::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
