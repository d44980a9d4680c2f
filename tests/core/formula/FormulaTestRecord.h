#pragma once

#include "core/document/Document.h"
#include "core/formula/FormulaValue.h"
#include "core/model/ZarvaException.h"
#include "support/Phasors.h"
#include "support/Samples.h"

#include <string>
#include <vector>

namespace zarva::test {

// A record of 1000 samples per second at 50 Hz whose channels are given their samples and
// phasor series directly, so formula results can be checked against hand-computed values.
class FormulaTestRecord {
public:
    explicit FormulaTestRecord(std::size_t count = 40) : sampleCount(count)
    {
        record.sampleRate = 1000;
        record.lineFrequency = 50.0;
        record.channels.reserve(64);
        record.rateSegments.push_back({1000.0, static_cast<std::int32_t>(count)});
        for (std::size_t i = 0; i < count; ++i)
            record.sampleTimes.push_back(static_cast<std::int64_t>(i) * 1000);
    }

    // A channel holding `value` at every sample and `phasor` as every phasor-series entry.
    Channel& Add(const std::string& name, double value, Phasor phasor, const std::string& unit = {})
    {
        Channel& channel = AddSamples(name, std::vector<double>(sampleCount, value), unit);
        test::SupplyPhasors(channel, std::vector<Phasor>(sampleCount, phasor));
        return channel;
    }

    // A balanced positive-sequence set: Ia, Ib, Ic of 10 A at -30, -150 and 90 degrees with
    // values 1, 2, 3; Ua, Ub, Uc of 100 V at 0, -120 and 120 degrees with values 50, 60, 70.
    void AddPhaseSet()
    {
        Add("Ia", 1.0, Polar(10.0, -30.0), "A");
        Add("Ib", 2.0, Polar(10.0, -150.0), "A");
        Add("Ic", 3.0, Polar(10.0, 90.0), "A");
        Add("Ua", 50.0, Polar(100.0, 0.0), "V");
        Add("Ub", 60.0, Polar(100.0, -120.0), "V");
        Add("Uc", 70.0, Polar(100.0, 120.0), "V");
    }

    Channel& AddSamples(const std::string& name, std::vector<double> samples, const std::string& unit = {})
    {
        Channel channel(ChannelKind::Analog, &document);
        channel.name = channel.channelId = name;
        channel.unit = unit;
        channel.samples.Assign(std::move(samples));
        return record.channels.emplace_back(std::move(channel));
    }

    const Channel& Named(const std::string& name) const { return record.channels[record.FindChannel(name)]; }

    // Evaluates the formula over the record's channels at the sample.
    FormulaValue Evaluate(const std::string& formula, std::int64_t sample = 0)
    {
        record.calcChannels.Tokenize(formula);
        record.calcChannels.SetSample(sample);
        return record.calcChannels.Evaluate();
    }

    Document document;
    Oscillogram& record = document.oscillogram;
    std::size_t sampleCount;
};

// The text of the CZarvaException the call raises, or "no error".
template <typename Call>
std::string ErrorText(Call&& call)
{
    try {
        call();
    } catch (const CZarvaException& error) {
        return error.what();
    }
    return "no error";
}

} // namespace zarva::test
