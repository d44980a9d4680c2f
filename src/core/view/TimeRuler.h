#pragma once

#include "core/view/ViewState.h"

#include <cstdint>
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
// The same as "hh:mm:ss.mmm".
std::string TimeOfDay(const Oscillogram& record, std::int64_t microseconds);

// The record's start date as "dd/mm/yyyy": the first two numbers exchanged when the second is
// above 12, 2000 added to a year below 100. Empty when the date has fewer than three numbers.
std::string RulerDate(const std::string& startDate);

// The date and time of day of a moment `microseconds` after the record's zero, the date
// carried past midnight: "dd/mm/yyyy hh:mm:ss.mmm", the time alone without a start date.
std::string DateAndTimeOfDay(const Oscillogram& record, std::int64_t microseconds);

// A ruler label for a sample, with the unit's name when `withUnit` is set.
std::string RulerLabel(const Oscillogram& record, RulerUnit unit, std::int64_t sample, bool withUnit);

struct RulerTick {
    int x = 0;
    int length = 0;     // pixels down from the ruler's top line
    std::string label;  // empty for ticks without one
};

// The ticks of the time ruler, one every 25 pixels from the left edge of the plot area.
std::vector<RulerTick> RulerTicks(const Oscillogram& record, const ViewState& state, int clientWidth);

} // namespace zarva
