// Merging a 1000 Hz record with pasted channels of a 2400 Hz one, both 1,000,000 samples of
// 32 analog channels: the resampling pass of one channel on one core (ns per output sample),
// from each rate onto the 2400 Hz grid with a fractional shift, and the whole merge of a
// smaller pair (resampling on every core, then the derived series and the undo snapshot).

#include "support/InMemoryRecord.h"

#include "core/merge/RecordMerge.h"
#include "core/merge/Resampler.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <map>

namespace zarva {
namespace {

constexpr std::size_t kSamples = 1'000'000;
constexpr double kGridRate = 2400.0;
constexpr double kOffset = 12345.6;  // microseconds, not a whole number of grid steps

struct Source {
    std::vector<double> values;
    std::vector<std::int64_t> times;
};

const Source& SourceAt(double rate)
{
    static std::map<double, std::unique_ptr<Source>> sources;
    std::unique_ptr<Source>& source = sources[rate];
    if (!source) {
        source = std::make_unique<Source>();
        for (std::size_t i = 0; i < kSamples; ++i) {
            const double t = static_cast<double>(i) / rate;
            source->values.push_back(100.0 * std::sin(2.0 * M_PI * 50.0 * t) + 5.0 * std::sin(2.0 * M_PI * 150.0 * t));
            source->times.push_back(std::llround(t * 1e6));
        }
    }
    return *source;
}

void ReportPerOutput(benchmark::State& state, double outputs)
{
    state.counters["ns_per_output_sample"] =
        benchmark::Counter(outputs * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <auto Resample>
void OneChannel(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    const Source& source = SourceAt(rate);
    const ChannelPlacement placement{source.times, 1e6 / rate, kOffset};
    const double span = kOffset + static_cast<double>(source.times.back());
    const MergeGrid grid{1e6 / kGridRate, std::llround(kGridRate * span * 1e-6) - 4};
    for (auto _ : state)
        benchmark::DoNotOptimize(Resample(source.values, placement, grid));
    ReportPerOutput(state, static_cast<double>(grid.count));
}

void ResampleAnalogPass(benchmark::State& state) { OneChannel<ResampleAnalog>(state); }
void ResampleDiscretePass(benchmark::State& state) { OneChannel<ResampleDiscrete>(state); }

BENCHMARK(ResampleAnalogPass)->Arg(1000)->Arg(2400)->Unit(benchmark::kMillisecond);
BENCHMARK(ResampleDiscretePass)->Arg(1000)->Unit(benchmark::kMillisecond);

// The command as the merge bar runs it, on 32 + 32 channels of 100,000 samples.
void WholeMerge(benchmark::State& state)
{
    constexpr std::size_t kChannels = 32;
    constexpr std::size_t kShort = 100'000;
    std::int64_t outputs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Document document;
        bench::FillInMemoryRecord(document, kChannels, kShort, 1000);
        Document other;
        bench::FillInMemoryRecord(other, kChannels, kShort, 2400);
        for (std::size_t i = 0; i < kShort; ++i)
            document.oscillogram.sampleTimes.push_back(static_cast<std::int64_t>(i) * 1000);
        auto times = std::make_shared<std::vector<std::int64_t>>();
        for (std::size_t i = 0; i < kShort; ++i)
            times->push_back(std::llround(static_cast<double>(i) * 1e6 / 2400.0));
        for (Channel& channel : other.oscillogram.channels) {
            channel.SetFlag(display::kPasted, true);
            channel.ownSampleRate = 2400.0;
            channel.ownTimes = times;
            channel.owner = &document;
            channel.name += "(2)";
            document.oscillogram.channels.push_back(std::move(channel));
        }
        document.merge.mergeOffset = kOffset * 1e-6;
        state.ResumeTiming();
        MergeRecord(document);
        const Oscillogram& merged = document.oscillogram;
        outputs = static_cast<std::int64_t>(merged.sampleTimes.size() * merged.channels.size());
    }
    state.counters["ns_per_output_sample_channel_wall"] =
        benchmark::Counter(static_cast<double>(outputs) * 1e-9,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(WholeMerge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
} // namespace zarva

BENCHMARK_MAIN();
