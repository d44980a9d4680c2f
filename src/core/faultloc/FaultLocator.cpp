#include "core/faultloc/FaultLocator.h"

#include "core/faultloc/LocatorMessages.h"
#include "core/faultloc/ModelValidation.h"
#include "core/faultloc/RecordPhasors.h"
#include "core/model/Oscillogram.h"

#include <algorithm>
#include <cmath>

namespace zarva {

using namespace WrongPlaceLocatorData;

Location LocateFaultInRecord(const Oscillogram& record, const LineModel& model)
{
    if (auto error = Validate(model))
        throw *error;
    if (model.type != kIsolatedNeutral && model.type != kGroundedNeutral && model.type != kTwoEnded)
        throw CZarvaException(messages::kLocatorDataMissing);
    const LineData line = ReadLineData(model);
    if (line.sections.empty() || !(line.ratedCurrent > 0.0) || !std::isfinite(line.ratedCurrent))
        throw CZarvaException(messages::kLocatorDataMissing);
    return LocateFault(PhasorsFromRecord(record, model), line, model.type);
}

void AddResultChannels(Oscillogram& record, const Location& location)
{
    std::erase_if(record.channels, [](const Channel& channel) {
        return channel.name == kDistanceChannel ||
               std::find(std::begin(kPhaseChannels), std::end(kPhaseChannels), channel.name) != std::end(kPhaseChannels);
    });
    std::vector<double> distances = location.distances;
    std::replace_if(distances.begin(), distances.end(), [](double d) { return !std::isfinite(d); }, 0.0);
    record.channels.push_back(Channel::FromValues(record.owner, kDistanceChannel, "km", std::move(distances), {}));
    for (std::size_t k = 0; k < 3; ++k) {
        std::vector<std::int32_t> states(location.flags.size());
        for (std::size_t n = 0; n < states.size(); ++n)
            states[n] = location.flags[n].phases[k] ? 1 : 0;
        record.channels.push_back(Channel::FromStates(record.owner, kPhaseChannels[k], states, Rgb(200, 0, 0)));
    }
}

} // namespace zarva
