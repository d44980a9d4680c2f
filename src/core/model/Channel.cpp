#include "core/model/Channel.h"

#include "core/document/Document.h"
#include "core/dsp/DerivedSeries.h"
#include "core/dsp/SeriesCache.h"
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
    channel.samples.Assign(std::move(values));
    if (!phasors.empty())
        channel.suppliedPhasors = std::make_shared<const std::vector<Phasor>>(std::move(phasors));
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
    std::vector<double> values;
    values.reserve(states.size());
    for (const std::int32_t state : states)
        values.push_back(state != 0 ? 1.0 : 0.0);
    channel.samples.Assign(std::move(values));
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
    samples.Reserve(count);
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
    PrepareSeries();
    derived_->Survey(owner->progress);
    TakeSurvey();
}

void Channel::PrepareSeries()
{
    ++seriesRevision_;
    if (IsDiscrete())
        derived_ = std::make_shared<const DerivedSeries>(*this, std::nullopt, SeriesCache::Shared());
    else
        PrepareAnalog();
    instant_ = DerivedSeries::Instant(derived_);
    display_ = DerivedSeries::Display(derived_);
    phasors_ = DerivedSeries::Phasors(derived_);
    maxValue = -DBL_MAX;
    minValue = DBL_MAX;
}

bool Channel::TakeSurvey()
{
    const std::optional<CurveSurvey> survey = derived_ ? derived_->Surveyed() : std::nullopt;
    if (!survey)
        return false;
    maxValue = survey->maxValue;
    minValue = survey->minValue;
    return true;
}

std::shared_ptr<const MinMaxPyramid> Channel::DisplayPyramid() const
{
    const std::optional<CurveSurvey> survey = derived_ ? derived_->Surveyed() : std::nullopt;
    return survey ? survey->pyramid : nullptr;
}

void Channel::UpdateDisplayRatio()
{
    displayRatio = DisplayRatio(*this);
}

} // namespace zarva
