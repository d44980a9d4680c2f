#include "core/faultloc/RecordPhasors.h"

#include "core/dsp/WindowMeasures.h"
#include "core/faultloc/LocatorMessages.h"
#include "core/faultloc/OffsetCompensation.h"
#include "core/model/Oscillogram.h"
#include "core/model/ZarvaException.h"

#include <numbers>

namespace zarva {
namespace {

using namespace WrongPlaceLocatorData;

// Factor from the values the window measures give (as displayed) to primary values.
double PrimaryPerDisplayed(const Channel& channel)
{
    const bool ratio = channel.primary > 0.0 && channel.secondary > 0.0;
    const double toPrimary = channel.valuesArePrimary || !ratio ? 1.0 : channel.primary / channel.secondary;
    if (channel.HasFlag(display::kAdcCounts))
        return channel.multiplier * channel.unitFactor * toPrimary;
    return channel.displayRatio != 0.0 ? toPrimary / channel.displayRatio : toPrimary;
}

// Collects the channels the algorithm needs and the names that are missing.
class ChannelReader {
public:
    explicit ChannelReader(const Oscillogram& record) : record_(record) {}
    void SetPeriod(std::size_t period) { period_ = period; }

    const Channel* Find(const std::string& name)
    {
        if (name.empty())
            throw CZarvaException(messages::kLocatorDataMissing);
        try {
            const Channel& channel = record_.channels[record_.FindChannel(name)];
            if (channel.IsAnalog())
                return &channel;
        } catch (const CZarvaException&) {
        }
        missing_ += (missing_.empty() ? "" : ", ") + name;
        return nullptr;
    }

    void ThrowIfMissing() const
    {
        if (!missing_.empty())
            throw CZarvaException(messages::kLocatorChannelsMissing, missing_);
    }

    // Phasors referred to the record's first sample, so that a steady wave gives one phasor
    // at every sample: the measure's angle at the window's end is turned back by ω t.
    std::vector<Phasor> Phasors(const Channel& channel) const
    {
        const std::size_t count = record_.SampleCount();
        std::vector<Phasor> phasors(count);
        const double scale = PrimaryPerDisplayed(channel);
        const Channel* reference = TrackingReference(channel);
        const OffsetCompensation withoutOffset(period_);
        const auto window = static_cast<std::int64_t>(period_);
        for (std::size_t pos = period_ - 1; pos < count; ++pos) {
            const auto at = static_cast<std::int64_t>(pos);
            const Phasor measured =
                reference ? TrackedPhasor(channel, 1, at, *reference, false, 1) : FirstHarmonicPhasor(channel, at);
            const Phasor compensated =
                at >= window ? withoutOffset(measured, Value(channel, at), Value(channel, at - window)) : measured;
            const double turn = 2.0 * std::numbers::pi * static_cast<double>(pos % period_) / static_cast<double>(period_);
            phasors[pos] = compensated * std::polar(scale, -turn);
        }
        return phasors;
    }

private:
    const Oscillogram& record_;
    std::size_t period_ = 1;
    std::string missing_;
};

std::vector<PhaseTriple> Triples(const ChannelReader& reader, const std::array<const Channel*, 3>& channels)
{
    std::array<std::vector<Phasor>, 3> phases;
    for (std::size_t k = 0; k < 3; ++k)
        phases[k] = reader.Phasors(*channels[k]);
    std::vector<PhaseTriple> triples(phases[0].size());
    for (std::size_t n = 0; n < triples.size(); ++n)
        triples[n] = {phases[0][n], phases[1][n], phases[2][n]};
    return triples;
}

std::array<const Channel*, 3> FindThree(ChannelReader& reader, const Station& station,
                                        std::array<const char*, 3> keys)
{
    return {reader.Find(station.Value(keys[0])), reader.Find(station.Value(keys[1])),
            reader.Find(station.Value(keys[2]))};
}

std::vector<PhaseTriple> LineFromPhase(const std::vector<PhaseTriple>& phase)
{
    std::vector<PhaseTriple> line(phase.size());
    for (std::size_t n = 0; n < phase.size(); ++n)
        line[n] = {phase[n][0] - phase[n][1], phase[n][1] - phase[n][2], phase[n][2] - phase[n][0]};
    return line;
}

bool NamesAny(const Station& station, std::array<const char*, 3> keys)
{
    return !station.Value(keys[0]).empty() || !station.Value(keys[1]).empty() || !station.Value(keys[2]).empty();
}

} // namespace

LocatorInput PhasorsFromRecord(const Oscillogram& record, const LineModel& model)
{
    constexpr std::array<const char*, 3> kCurrents{"Ia", "Ib", "Ic"};
    constexpr std::array<const char*, 3> kPhaseVoltages{"Ua", "Ub", "Uc"};
    constexpr std::array<const char*, 3> kLineVoltages{"Uab", "Ubc", "Uca"};
    const Station& near = model.StationAt(0);
    ChannelReader reader(record);

    const bool twoEnded = model.type == kTwoEnded;
    const bool lineVoltages = model.type == kIsolatedNeutral && NamesAny(near, kLineVoltages);
    struct Needed {
        std::array<const Channel*, 3> current;
        std::array<const Channel*, 3> voltage;
    };
    std::vector<Needed> needed;
    for (int k = 0; k < (twoEnded ? 2 : 1); ++k) {
        const Station& station = model.StationAt(k);
        needed.push_back({FindThree(reader, station, kCurrents),
                          FindThree(reader, station, lineVoltages ? kLineVoltages : kPhaseVoltages)});
    }
    std::vector<std::pair<std::string, const Channel*>> residuals;
    if (model.type == kGroundedNeutral) {
        for (std::size_t n = 0; n < near.SectionCount(); ++n) {
            for (const auto& parallel : near.SectionAt(n).ParallelLines()) {
                if (const std::string& name = parallel->Value("I0"); !name.empty())
                    residuals.emplace_back(name, reader.Find(name));
            }
        }
    }
    reader.ThrowIfMissing();

    LocatorInput input;
    input.count = record.SampleCount();
    input.period = static_cast<std::size_t>(record.SamplesPerPeriod(*needed[0].current[0]));
    reader.SetPeriod(input.period);
    for (std::size_t k = 0; k < needed.size(); ++k) {
        StationPhasors& station = input.stations[k];
        station.current = Triples(reader, needed[k].current);
        if (lineVoltages) {
            station.lineVoltage = Triples(reader, needed[k].voltage);
            continue;
        }
        station.voltage = Triples(reader, needed[k].voltage);
        if (model.type == kIsolatedNeutral)
            station.lineVoltage = LineFromPhase(station.voltage);
    }
    for (const auto& [name, channel] : residuals)
        input.residuals.emplace(name, reader.Phasors(*channel));
    return input;
}

} // namespace zarva
