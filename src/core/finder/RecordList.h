#pragma once

#include "core/finder/FoundRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace zarva {

// Which found records are shown. An empty choice lets every value through.
struct RecordFilter {
    std::optional<std::string> station{};
    std::optional<std::string> recorder{};
    std::optional<CalendarDate> from{};  // inclusive; a record without a date passes no bound
    std::optional<CalendarDate> to{};

    bool Matches(const FoundRecord& record) const;
};

// The orders of the list, kept as their numbers. Each column has two, the first chosen
// when its header is clicked and the second when it is clicked again. Records of equal key
// follow newest first, then by name; records without a date come last in either date order.
enum class SortMode : int {
    NameAscending = 0,
    NameDescending = 1,
    StationAscending = 2,
    StationDescending = 3,
    RecorderAscending = 4,
    RecorderDescending = 5,
    NewestFirst = 6,
    OldestFirst = 7,
};
enum class SortKey { Name, Station, Recorder, Date };

constexpr SortMode kDefaultSortMode = SortMode::NewestFirst;

// A stored number as a mode; the default for a number that names none.
SortMode SortModeFrom(int stored);
SortKey KeyOf(SortMode mode);
// The order after a click on the header of `key`.
SortMode ToggledSort(SortMode current, SortKey key);

bool SortsBefore(const FoundRecord& a, const FoundRecord& b, SortMode mode);
void SortRecords(std::vector<FoundRecord>& records, SortMode mode);

// Names in the order people expect: digit runs by their value ("2.cfg" before "10.cfg");
// 0 only for equal texts.
int CompareNames(std::string_view a, std::string_view b);

} // namespace zarva
