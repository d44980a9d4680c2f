#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarva {

class Oscillogram;

// A configuration date as "dd/mm/yyyy", or empty when it holds fewer than three numbers.
// Revision 1991 writes the month first, later revisions the day; a first number above 12 is
// a day whatever the revision. Two-digit years 70 to 99 are 19yy, 00 to 69 are 20yy.
std::string NormaliseDate(std::string_view date, bool dayFirst);

// The record's start or trigger moment as shown to the user. Without time codes: the
// normalised date and the time as written. With them (revision 2013), whose file times run at
// UTC + time code: the moment in UTC (`utcFor2013`) or in local time, UTC + local code, then a
// suffix naming which.
std::string MomentText(const Oscillogram& record, std::string_view date, std::string_view time,
                       bool utcFor2013);

// Revision 1991 (no revision year) writes dates month first, later revisions day first.
bool DatesDayFirst(const Oscillogram& record);

// A configuration's date and time as written (no time code applied), read by the rules of
// NormaliseDate; the fraction keeps its digits as written. Empty when either text holds too
// few numbers or names no real calendar moment (a leap second is allowed).
struct RecordMoment {
    int year = 0;
    int month = 0;
    int day = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    std::string fraction;
};
std::optional<RecordMoment> ParseMoment(std::string_view date, std::string_view time, bool dayFirst);

// The moment in UTC in ISO 8601 with every digit of the fraction as written and "Z"; none
// without a time code or a readable moment.
std::optional<std::string> UtcMoment(const Oscillogram& record, std::string_view date, std::string_view time);

// The date and time texts moved by `microseconds`: the date in the order `dayFirst` names, the
// fraction to at least microseconds (more digits when written with more). None when the texts
// name no moment.
struct MomentTexts {
    std::string date;
    std::string time;
};
std::optional<MomentTexts> ShiftedMoment(std::string_view date, std::string_view time, std::int64_t microseconds,
                                         bool dayFirst);

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);

std::string StartText(const Oscillogram& record, bool utcFor2013);
std::string TriggerText(const Oscillogram& record, bool utcFor2013);

} // namespace zarva
