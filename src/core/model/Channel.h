#pragma once

#include "core/model/Colour.h"
#include "core/model/SampleStore.h"
#include "core/model/Series.h"

#include <cfloat>
#include <complex>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zarva {

class DerivedSeries;
class Document;
class MinMaxPyramid;

using Phasor = std::complex<double>;

enum class ChannelKind : std::int32_t { Analog = 0, Discrete = 1 };

// Bits of Channel::displayFlags, persisted as "ShowFlags".
namespace display {
constexpr std::uint32_t kVisible = 0x1;
constexpr std::uint32_t kOnFrequencyDiagram = 0x2;
constexpr std::uint32_t kOnVectorDiagram = 0x4;
constexpr std::uint32_t kOnCircleDiagram = 0x8;
constexpr std::uint32_t kReadMinMax = 0x10;
constexpr std::uint32_t kReadFirstHarmonic = 0x20;
constexpr std::uint32_t kReadRms = 0x40;
constexpr std::uint32_t kCurveInstant = 0x80;
constexpr std::uint32_t kCurveRms = 0x100;
constexpr std::uint32_t kCurveFirstHarmonic = 0x200;
constexpr std::uint32_t kCurveModes = kCurveInstant | kCurveRms | kCurveFirstHarmonic;
constexpr std::uint32_t kDcRemoved = 0x400;
constexpr std::uint32_t kInverted = 0x800;
constexpr std::uint32_t kAdcCounts = 0x1000;
constexpr std::uint32_t kSuppliedPhasors = 0x2000;
constexpr std::uint32_t kPasted = 0x4000;
constexpr std::uint32_t kDefault = 0xE1;
} // namespace display

// The vertical zoom window of a row: two pairs of fractions and an integer.
struct VerticalZoom {
    bool zoomed = false;
    double top = 0.0;
    double bottom = 1.0;
    double from = 0.0;
    double to = 1.0;
    std::int32_t level = 0;
};

// One analog or discrete channel of a record, its samples already in base units.
// 8-bit texts hold the bytes as read from the file; the others are UTF-8.
class Channel {
public:
    Channel(ChannelKind kind, Document* owner);

    // An analog channel created from values (computed channels, other readers).
    static Channel FromValues(Document* owner, std::string name, const std::string& unitText,
                              std::vector<double> values, std::vector<Phasor> phasors);
    // A discrete channel created from states: 1.0 for a non-zero state.
    static Channel FromStates(Document* owner, std::string name,
                              const std::vector<std::int32_t>& states, Colour colour);

    bool IsAnalog() const { return kind == ChannelKind::Analog; }
    bool IsDiscrete() const { return kind == ChannelKind::Discrete; }
    bool HasFlag(std::uint32_t flag) const { return (displayFlags & flag) != 0; }
    void SetFlag(std::uint32_t flag, bool on);

    const std::string& Name() const { return name; }
    // Sets the unit of a channel created from values; a Cyrillic "В" or "А" becomes its
    // Latin letter.
    void SetUnitText(const std::string& unitText);
    // The unit, or empty when the channel is shown in ADC counts.
    std::string Unit() const;

    void Reserve(std::size_t count);
    double ValueOfCode(double code) const { return zarva::ValueOfCode(code, multiplier, offset, unitFactor); }
    void AddRawSample(double raw) { samples.Append(ValueOfCode(raw)); }
    // The stored value back as the code it was read from.
    double RawCode(double value) const;
    // The stored value of code 0 and the step between codes, in base units.
    double ZeroCodeValue() const { return unitFactor * offset; }
    double CodeStep() const { return unitFactor * multiplier; }

    bool IsFrequencyChannel() const;

    // Rebuilds the derived series and extremes from the samples: PrepareSeries, then the
    // survey of the drawn curve on this thread. Advances the document's progress and stops
    // early when its cancel flag is set.
    void Recompute();
    // Recompute without the survey: the series are ready to read at once, and the extremes
    // stay unknown until Derived()->Survey has run (on any thread) and TakeSurvey has taken
    // its result. Raises error 330 when an analog channel has no whole samples per period.
    void PrepareSeries();
    // Takes the extremes of a finished survey; false while there is none.
    bool TakeSurvey();

    // Per sample, as of the last Recompute: the instantaneous value as displayed, the value
    // drawn (instantaneous, RMS or first harmonic by the curve mode) and the first-harmonic
    // phasor (none for a discrete channel). Values that need windows are computed when first
    // read; a series keeps reading the channel as it was when it was taken.
    const Series<double>& InstantSeries() const { return instant_; }
    const Series<double>& DisplaySeries() const { return display_; }
    const Series<Phasor>& PhasorSeries() const { return phasors_; }
    const std::shared_ptr<const DerivedSeries>& Derived() const { return derived_; }
    // The min/max levels of the drawn series; null until it has been surveyed.
    std::shared_ptr<const MinMaxPyramid> DisplayPyramid() const;
    // Counts the rebuilds of the derived series, so that what is kept from them knows when
    // it is out of date.
    std::uint64_t SeriesRevision() const { return seriesRevision_; }

    Document* owner;
    ChannelKind kind;

    SampleStore samples;
    // Per-sample phasors given by the creator of a computed channel; null for none.
    std::shared_ptr<const std::vector<Phasor>> suppliedPhasors;
    std::vector<double> lineFrequencySeries;

    std::uint32_t displayFlags = display::kDefault;

    std::string channelId;
    std::string name;
    std::string aliasName;
    std::string phase;
    std::string circuitComponent;
    std::string unit8;
    std::string unit;
    bool perSecond = false;
    bool unitUnrecognised = false;

    std::string primaryText;
    std::string secondaryText;
    bool valuesArePrimary = false;
    bool showPrimary = false;

    double multiplier = 1.0;
    double unitFactor = 1.0;
    double offset = 0.0;
    double maxValue = -DBL_MAX;
    double minValue = DBL_MAX;
    double rangeMax = 0.0;
    double rangeMin = 0.0;
    double timeShift = 0.0;
    double primary = 1.0;
    double secondary = 1.0;
    double filePrimary = 1.0;
    double fileSecondary = 1.0;
    double displayRatio = 1.0;
    double dcMean = 0.0;

    bool selected = false;
    std::int32_t normalState = 0;
    double ownSampleRate = 0.0;
    Colour colour = Rgb(255, 255, 100);
    bool customColourSet = false;
    std::int32_t customColour = 0;
    VerticalZoom zoom;
    // The group of channels drawn merged in one row of the view: its identifier text, empty
    // for a channel in no group.
    std::string group;

private:
    void PrepareAnalog();
    void UpdateDisplayRatio();

    std::shared_ptr<const DerivedSeries> derived_;
    Series<double> instant_;
    Series<double> display_;
    Series<Phasor> phasors_;
    std::uint64_t seriesRevision_ = 0;
};

} // namespace zarva
