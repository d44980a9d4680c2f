#pragma once

#include "core/faultloc/FaultLocation.h"
#include "core/faultloc/LineModel.h"

namespace zarva {

class Oscillogram;

// What the program runs on a record: the model is validated (its first error is raised),
// the algorithm's type checked, the phasors of the named channels read, and the fault
// located. Raises CZarvaException: a validation message, 349 (data not entered), 4731
// (channels missing from the record), 330 or 3457.
Location LocateFaultInRecord(const Oscillogram& record, const WrongPlaceLocatorData::LineModel& model);

// Result channel names.
inline constexpr const char* kDistanceChannel = "Lкз";
inline constexpr const char* kPhaseChannels[] = {"КЗ фазы А", "КЗ фазы B", "КЗ фазы C"};

// Adds to the record, in place of any earlier ones, the distance to the fault per sample
// (km, 0 where there is none) and a status channel per phase, 1 where it is faulted.
void AddResultChannels(Oscillogram& record, const Location& location);

} // namespace zarva
