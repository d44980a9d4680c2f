#include "FormulaTestRecord.h"

namespace zarva::test {

FormulaTestRecord::FormulaTestRecord(std::size_t count) : sampleCount(count)
{
    record.sampleRate = 1000;
    record.lineFrequency = 50.0;
    record.channels.reserve(64);
    record.rateSegments.push_back({1000.0, static_cast<std::int32_t>(count)});
    record.sampleTimes.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        record.sampleTimes[i] = static_cast<std::int64_t>(i) * 1000;
}

Channel& FormulaTestRecord::Add(const std::string& name, double value, Phasor phasor,
                                const std::string& unit)
{
    Channel& channel = AddSamples(name, std::vector<double>(sampleCount, value), unit);
    channel.phasorSeries.assign(sampleCount, phasor);
    return channel;
}

void FormulaTestRecord::AddPhaseSet()
{
    Add("Ia", 1.0, Polar(10.0, -30.0), "A");
    Add("Ib", 2.0, Polar(10.0, -150.0), "A");
    Add("Ic", 3.0, Polar(10.0, 90.0), "A");
    Add("Ua", 50.0, Polar(100.0, 0.0), "V");
    Add("Ub", 60.0, Polar(100.0, -120.0), "V");
    Add("Uc", 70.0, Polar(100.0, 120.0), "V");
}

Channel& FormulaTestRecord::AddSamples(const std::string& name, std::vector<double> samples,
                                       const std::string& unit)
{
    Channel channel(ChannelKind::Analog, &document);
    channel.name = name;
    channel.channelId = name;
    channel.unit = unit;
    channel.samples = std::move(samples);
    record.channels.push_back(std::move(channel));
    return record.channels.back();
}

FormulaValue FormulaTestRecord::Evaluate(const std::string& formula, std::int64_t sample)
{
    CalcChannels& engine = record.calcChannels;
    engine.Tokenize(formula);
    engine.SetSample(sample);
    return engine.Evaluate();
}

} // namespace zarva::test
