#include "core/model/Channel.h"

#include "core/document/Document.h"
#include "core/model/Units.h"

namespace zarva {
namespace {

// Computed channels name their unit in Cyrillic or Latin; the two plain letters are kept
// in their Latin form so that every later unit comparison sees one spelling.
std::string NormaliseUnitLetter(const std::string& unitText)
{
    if (unitText == "В")
        return "V";
    if (unitText == "А")
        return "A";
    return unitText;
}

} // namespace

Channel::Channel(ChannelKind channelKind, Document* document)
    : owner(document), kind(channelKind)
{
    if (kind == ChannelKind::Discrete)
        colour = Rgb(0, 0, 0);
}

Channel Channel::FromValues(Document* owner, std::string name, const std::string& unitText,
                            std::vector<double> values, std::vector<Phasor> phasors)
{
    Channel channel(ChannelKind::Analog, owner);
    channel.channelId = name;
    channel.name = std::move(name);
    channel.SetUnitText(unitText);
    channel.samples = std::move(values);
    channel.suppliedPhasors = std::move(phasors);
    channel.showPrimary = true;
    channel.displayFlags |= display::kSuppliedPhasors;
    channel.Recompute();
    return channel;
}

Channel Channel::FromStates(Document* owner, std::string name,
                            const std::vector<std::int32_t>& states, Colour colour)
{
    Channel channel(ChannelKind::Discrete, owner);
    channel.channelId = name;
    channel.name = std::move(name);
    channel.colour = colour;
    channel.showPrimary = true;
    channel.samples.reserve(states.size());
    for (const std::int32_t state : states)
        channel.samples.push_back(state != 0 ? 1.0 : 0.0);
    channel.displayFlags |= display::kSuppliedPhasors;
    channel.Recompute();
    return channel;
}

void Channel::SetUnitText(const std::string& unitText)
{
    unit8 = NormaliseUnitLetter(unitText);
    unit = unit8;
}

void Channel::SetFlag(std::uint32_t flag, bool on)
{
    displayFlags = on ? (displayFlags | flag) : (displayFlags & ~flag);
}

std::string Channel::Unit() const
{
    return HasFlag(display::kAdcCounts) ? std::string() : unit;
}

void Channel::Reserve(std::size_t count)
{
    samples.reserve(count);
}

double Channel::RawCode(double value) const
{
    return (value / unitFactor - offset) / multiplier;
}

bool Channel::IsFrequencyChannel() const
{
    if (!IsAnalog())
        return false;
    if (phase == "system" || circuitComponent == "system")
        return true;
    for (const char* hertz : {"Гц", "ГЦ", "Герц", "ГЕРЦ", "Hz", "HZ", "Herz", "HERZ"}) {
        if (unit == hertz)
            return true;
    }
    return false;
}

void Channel::Recompute()
{
    ++seriesRevision_;
    if (IsDiscrete())
        RecomputeDiscrete();
    else
        RecomputeAnalog();
}

std::span<const double> Channel::InstantSeries() const
{
    if (IsDiscrete())
        return DisplaySeries();
    if (instantSource_ == SeriesSource::Samples)
        return samples;
    return instantValues_;
}

std::span<const double> Channel::DisplaySeries() const
{
    switch (displaySource_) {
    case SeriesSource::Samples:
        return samples;
    case SeriesSource::Instant:
        return InstantSeries();
    case SeriesSource::Own:
        break;
    }
    return displayValues_;
}

void Channel::RecomputeDiscrete()
{
    instantValues_ = {};
    displayValues_ = {};
    displaySource_ = SeriesSource::Samples;
    if (HasFlag(display::kInverted)) {
        displaySource_ = SeriesSource::Own;
        displayValues_.resize(samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i)
            displayValues_[i] = samples[i] == 0.0 ? 1.0 : 0.0;
    }
    owner->progress.Advance(samples.size());
    if (samples.empty())
        return;
    maxValue = minValue = samples[0];
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i] == 0.0)
            minValue = 0.0;
        else
            maxValue = 1.0;
    }
}

void Channel::UpdateDisplayRatio()
{
    displayRatio = DisplayRatio(*this);
}

} // namespace zarva
