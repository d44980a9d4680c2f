// Computed channels over a long record: evaluation alone and the whole Compute (which
// also recomputes the result channel's own series).
#include "core/document/Document.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

using zarva::Channel;
using zarva::ChannelKind;
using zarva::Document;

constexpr std::size_t kSamples = 1'000'000;
constexpr std::int32_t kRate = 4800;

void AddPhase(Document& document, const char* name, double amplitude, double phaseDeg)
{
    Channel channel(ChannelKind::Analog, &document);
    channel.name = name;
    channel.channelId = name;
    std::vector<double> samples(kSamples);
    const double phase = phaseDeg * std::numbers::pi / 180.0;
    for (std::size_t i = 0; i < kSamples; ++i) {
        const double t = static_cast<double>(i) / kRate;
        samples[i] = amplitude * std::sin(2.0 * std::numbers::pi * 50.0 * t + phase);
    }
    channel.samples.Assign(std::move(samples));
    channel.Recompute();
    document.oscillogram.channels.push_back(std::move(channel));
}

Document& Record()
{
    static Document document;
    if (document.oscillogram.channels.empty()) {
        zarva::Oscillogram& record = document.oscillogram;
        record.sampleRate = kRate;
        record.lineFrequency = 50.0;
        record.rateSegments.push_back({kRate, static_cast<std::int32_t>(kSamples)});
        record.sampleTimes.resize(kSamples);
        record.channels.reserve(8);
        AddPhase(document, "Ia", 100.0, -30.0);
        AddPhase(document, "Ib", 100.0, -150.0);
        AddPhase(document, "Ic", 100.0, 90.0);
        AddPhase(document, "Ua", 10000.0, 0.0);
    }
    return document;
}

const char* const kFormulas[] = {"I1: (Ia, Ib, Ic)", "Mod:(Pf: (Ia, Ua))[VA]"};

void PerSample(benchmark::State& state)
{
    state.counters["ns_per_sample"] = benchmark::Counter(
        static_cast<double>(state.iterations() * kSamples),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Evaluate(benchmark::State& state)
{
    zarva::CalcChannels& engine = Record().oscillogram.calcChannels;
    engine.Tokenize(kFormulas[state.range(0)]);
    double sum = 0.0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < kSamples; ++i) {
            engine.SetSample(static_cast<std::int64_t>(i));
            sum += engine.Evaluate().real;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetLabel(kFormulas[state.range(0)]);
    PerSample(state);
}
BENCHMARK(BM_Evaluate)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_Compute(benchmark::State& state)
{
    zarva::CalcChannels& set = Record().oscillogram.calcChannels;
    set.RemoveAll();
    set.Add("Result", kFormulas[state.range(0)]);
    for (auto _ : state)
        set.Compute();
    set.RemoveAll();
    state.SetLabel(kFormulas[state.range(0)]);
    PerSample(state);
}
BENCHMARK(BM_Compute)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
