#pragma once

#include "core/formats/ComtradeTime.h"

#include <compare>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zarva {

// The kinds of record file the finder lists, told by the last three letters of the name in
// any case.
enum class RecordType { Cfg, Cff, Osc, Sto };

std::optional<RecordType> RecordTypeOf(const std::filesystem::path& path);
// "cfg", "cff", "osc", "sto".
const char* RecordTypeName(RecordType type);

// One record as the finder lists it: read from the head of its file only.
struct FoundRecord {
    std::filesystem::path path;
    RecordType type = RecordType::Cfg;
    std::string station;   // decoded as the reader decodes it (UTF-8)
    std::string recorder;
    std::optional<RecordMoment> start;  // as written; none when the head gives no readable date
};

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const CalendarDate&) const = default;
};

CalendarDate DateOf(const RecordMoment& moment);

// "2021-02-13T10:20:30.000100": ISO 8601 local time, the fraction as written.
std::string IsoText(const RecordMoment& moment);
// "2021-02-13" or "2021-2-13"; none for any other text or a date no calendar has.
std::optional<CalendarDate> ParseIsoDate(std::string_view text);

// Earlier moments first; fractions compare by value ("1" after "0999").
std::strong_ordering CompareMoments(const RecordMoment& a, const RecordMoment& b);

} // namespace zarva
