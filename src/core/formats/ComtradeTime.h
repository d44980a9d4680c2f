#pragma once

#include <string>
#include <string_view>

namespace zarva {

class Oscillogram;

// A configuration date as "dd/mm/yyyy", or empty when it holds fewer than three numbers.
// Revision 1991 writes the month first, later revisions the day; a first number above 12 is
// a day whatever the revision. Two-digit years are taken as 20yy.
std::string NormaliseDate(std::string_view date, bool dayFirst);

// The record's start or trigger moment as shown to the user. Without a local time code: the
// normalised date and the time as written. With one (revision 2013): the moment in UTC
// (`utcFor2013`) or in local time with the offset of the code applied, then a suffix naming
// which.
std::string MomentText(const Oscillogram& record, std::string_view date, std::string_view time,
                       bool utcFor2013);

std::string StartText(const Oscillogram& record, bool utcFor2013);
std::string TriggerText(const Oscillogram& record, bool utcFor2013);

} // namespace zarva
