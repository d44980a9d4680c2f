#include "core/faultloc/FaultLocation.h"

#include "core/faultloc/DistanceEstimators.h"
#include "core/faultloc/LocatorMessages.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace zarva {
namespace {

using WrongPlaceLocatorData::kGroundedNeutral;
using WrongPlaceLocatorData::kIsolatedNeutral;
using WrongPlaceLocatorData::kTwoEnded;

struct Detection {
    std::vector<FaultFlags> flags;
    std::optional<std::size_t> preFault;
};

Detection Detect(const LocatorInput& input, const LineData& line, int type, std::size_t first)
{
    const StationPhasors& near = input.stations[0];
    if (type == kIsolatedNeutral)
        return {DetectIsolatedNeutral(near.current, first, line.ratedCurrent), std::nullopt};
    if (type == kTwoEnded) {
        std::vector<FaultFlags> flags = DetectTwoEnded(near, input.stations[1], first, line.ratedCurrent);
        const auto preFault = PreFaultSample(flags, input.period);
        return {std::move(flags), preFault};
    }
    // A first pass against the record's first period finds where the fault begins, and so the
    // pre-fault state close before it that the second pass chooses the phases against.
    const std::optional<std::size_t> start =
        input.count >= input.period ? std::optional<std::size_t>(input.period - 1) : std::nullopt;
    const auto preFault = PreFaultSample(DetectGroundedNeutral(near, first, line.ratedCurrent, start), input.period);
    return {DetectGroundedNeutral(near, first, line.ratedCurrent, preFault), preFault};
}

std::vector<double> Distances(const LocatorInput& input, const LineData& line, int type, const Detection& detection)
{
    if (type == kIsolatedNeutral)
        return IsolatedNeutralDistances(input, line, detection.flags);
    if (type == kTwoEnded)
        return TwoEndedDistances(input, line, detection.flags, detection.preFault);
    return GroundedNeutralDistances(input, line, detection.flags, detection.preFault);
}

// The samples whose phasor windows hold the fault alone: a period after the run starts (its
// window may still hold pre-fault samples) to a period before it ends (the breaker may have
// opened inside the window). A run too short for that, or no run, is taken whole.
std::pair<std::size_t, std::size_t> Settled(const FaultStretch& stretch, std::size_t period)
{
    if (stretch.isRun && stretch.end - stretch.begin >= 2 * period)
        return {stretch.begin + period - 1, stretch.end - period};
    return {stretch.begin, stretch.end};
}

void PlaceOnLine(LocationResult& result, const LineData& line)
{
    const double length = line.Length();
    result.onLine = result.distance > 0.0 && result.distance <= length;
    if (!result.onLine)
        return;
    double fromStart = 0.0;
    const std::size_t index = line.SectionAt(result.distance, &fromStart);
    const LineSection& section = line.sections[index];
    // Poles evenly spread: the section's spans are numbered from 1, span p between poles
    // p - 1 and p, pole 0 standing where the section begins.
    const double spans = std::max(1.0, std::floor(section.poles));
    const double span = std::floor(std::clamp(fromStart, 0.0, section.length) / section.length * spans);
    result.section = index + 1;
    result.sectionDistance = fromStart;
    result.pole = static_cast<int>(std::min(span + 1.0, spans));
}

// The distance is the mean over the last period of the settled samples: the decaying DC
// offset of the currents makes the per-sample distance swing about its value at the line
// frequency, and a whole period of the swing, where it is smallest, cancels out. The error
// estimate is half the spread of those samples, against the distance.
void Summarise(Location& location, const LineData& line, const FaultStretch& stretch, std::size_t period)
{
    LocationResult& result = location.result;
    result.stretchBegin = stretch.begin;
    result.stretchEnd = stretch.end;
    const auto [begin, end] = Settled(stretch, period);
    std::vector<std::size_t> samples;
    bool seen = false;
    for (std::size_t n = begin; n < end; ++n) {
        seen = seen || location.flags[n].Any();
        if (location.flags[n].Any() && std::isfinite(location.distances[n]))
            samples.push_back(n);
    }
    if (!seen)
        return;
    if (samples.empty())
        throw CZarvaException(messages::kSingularSystem);
    samples.erase(samples.begin(), samples.end() - static_cast<std::ptrdiff_t>(std::min(period, samples.size())));
    std::map<int, std::size_t> codes;
    double sum = 0.0;
    double low = location.distances[samples.front()];
    double high = low;
    for (const std::size_t n : samples) {
        const double d = location.distances[n];
        sum += d;
        low = std::min(low, d);
        high = std::max(high, d);
        ++codes[location.flags[n].Code()];
    }
    result.fault = true;
    const int code = std::max_element(codes.begin(), codes.end(), [](const auto& a, const auto& b) {
                         return a.second < b.second;
                     })->first;
    result.phases = {(code & 1) != 0, (code & 2) != 0, (code & 4) != 0};
    result.distance = sum / static_cast<double>(samples.size());
    result.errorPercent = result.distance > 0.0 ? 50.0 * (high - low) / result.distance : 0.0;
    PlaceOnLine(result, line);
}

} // namespace

Location LocateFault(const LocatorInput& input, const LineData& line, int type)
{
    if (line.sections.empty() || !(line.ratedCurrent > 0.0) || !std::isfinite(line.ratedCurrent))
        throw CZarvaException(messages::kLocatorDataMissing);
    const std::size_t first = input.period;
    Detection detection = Detect(input, line, type, first);
    Location location;
    location.result.algorithm = type;
    location.distances = Distances(input, line, type, detection);
    location.flags = std::move(detection.flags);
    const FaultStretch stretch = FindStretch(location.flags, first, input.period, type != kIsolatedNeutral);
    Summarise(location, line, stretch, input.period);
    return location;
}

} // namespace zarva
