#pragma once

#include "core/view/ViewState.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarva {

class Oscillogram;

// Time of a sample in microseconds from the record's zero sample. Beyond the record the
// time goes on at the sampling rate (the ruler and cursors may stand there).
std::int64_t RelativeTime(const Oscillogram& record, std::int64_t sample);

// An integer in groups of three digits separated by a blank: "-1 234 567".
std::string GroupDigits(std::int64_t value);

// The time of day of a moment `microseconds` after the record's zero: hours modulo 24,
// milliseconds rounded half up. The start time counts its fraction of a second; a start
// time that cannot be read counts as midnight.
struct ClockTime {
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
    std::int64_t milliseconds = 0;
};
ClockTime TimeOfDayParts(const Oscillogram& record, std::int64_t microseconds);
// The same as "hh:mm:ss.mmm", or with microseconds when `decimals` is 6.
std::string TimeOfDay(const Oscillogram& record, std::int64_t microseconds, int decimals = 3);

// The record's start date as "dd/mm/yyyy": the first two numbers exchanged when the second is
// above 12, 2000 added to a year below 100. Empty when the date has fewer than three numbers.
std::string RulerDate(const std::string& startDate);

// The date and time of day of a moment `microseconds` after the record's zero, the date
// carried past midnight: "dd/mm/yyyy hh:mm:ss.mmm", the time alone without a start date.
std::string DateAndTimeOfDay(const Oscillogram& record, std::int64_t microseconds);

// Microseconds between the two closest adjacent samples: the period of the record's highest
// rate; 0 for a record without samples.
double ShortestSamplePeriod(const Oscillogram& record);

// Decimals a time in `unit` needs so that two moments `step` microseconds apart read
// differently: milliseconds 0 to 3, seconds 3 to 6, the time of day 3 or 6, none otherwise.
int TimeDecimals(RulerUnit unit, double step);

// A time in milliseconds or seconds with `decimals` digits after the point, rounded half up,
// the whole part in groups of three digits when `grouped` is set.
std::string TimeNumber(std::int64_t microseconds, RulerUnit unit, int decimals, bool grouped);

// A ruler label for a sample, with the unit's name when `withUnit` is set, carrying the
// decimals that tell adjacent samples apart unless `decimals` gives them.
std::string RulerLabel(const Oscillogram& record, RulerUnit unit, std::int64_t sample, bool withUnit,
                       std::optional<int> decimals = std::nullopt);

// The ruler unit a record opens with: seconds for a record of ten seconds or more, whose
// millisecond labels would run to five digits; milliseconds otherwise.
RulerUnit DefaultRulerUnit(const Oscillogram& record);

// The sample nearest the trigger moment, counted from the start moment; none when either
// cannot be read or the trigger lies outside the record.
std::optional<std::int64_t> TriggerSample(const Oscillogram& record);

// The first sample of every rate segment whose rate differs by more than 1 % from the one
// before it.
std::vector<std::int64_t> RateChangeSamples(const Oscillogram& record);

struct RulerTick {
    int x = 0;
    int length = 0;     // pixels down from the ruler's top line
    std::string label;  // empty for ticks without one
};

// The ticks of the time ruler, one every 25 pixels from the left edge of the plot area; the
// labels carry the decimals that tell neighbouring labels apart.
std::vector<RulerTick> RulerTicks(const Oscillogram& record, const ViewState& state, int clientWidth);

} // namespace zarva
