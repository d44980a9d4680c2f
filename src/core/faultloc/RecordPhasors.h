#pragma once

#include "core/faultloc/LineModel.h"
#include "core/faultloc/LocatorInput.h"

namespace zarva {

class Oscillogram;

// The one place that reads a record for the locator: the first-harmonic phasors, by the
// window measures, of the channels the model names for its algorithm, in primary values.
// Line voltages for the isolated-neutral algorithm are the differences of the phase voltages
// when the model names none. Raises CZarvaException 349 when a channel the algorithm needs
// is not named, and 4731 with the names when named channels are not in the record.
LocatorInput PhasorsFromRecord(const Oscillogram& record, const WrongPlaceLocatorData::LineModel& model);

} // namespace zarva
