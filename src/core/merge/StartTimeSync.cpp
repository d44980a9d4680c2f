#include "core/merge/Synchronisation.h"

#include "core/document/Document.h"
#include "core/formats/ComtradeTime.h"
#include "core/model/ZarvaException.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace zarva {
namespace {

// The runs of decimal digits of a text; a run too long for a number reads as -1.
std::vector<std::string> DigitRuns(const std::string& text)
{
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < text.size();) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        const std::size_t first = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        runs.push_back(text.substr(first, i - first));
    }
    return runs;
}

std::int64_t Number(const std::string& digits)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() ? value : -1;
}

// Fraction digits as microseconds: ".5" is half a second, digits beyond the sixth are dropped.
std::int64_t FractionMicroseconds(std::string digits)
{
    digits.resize(6, '0');
    return Number(digits);
}

bool InRange(std::int64_t value, std::int64_t low, std::int64_t high) { return value >= low && value <= high; }

} // namespace

StartMoment ParseStartMoment(const std::string& date, const std::string& time)
{
    const std::vector<std::string> dateRuns = DigitRuns(date);
    const std::vector<std::string> timeRuns = DigitRuns(time);
    if (dateRuns.size() < 3 || timeRuns.size() < 3)
        return {};
    std::int64_t day = Number(dateRuns[0]);
    std::int64_t month = Number(dateRuns[1]);
    std::int64_t year = Number(dateRuns[2]);
    if (month > 12)
        std::swap(day, month);
    if (InRange(year, 0, 99))
        year += 2000;
    const std::int64_t hours = Number(timeRuns[0]);
    const std::int64_t minutes = Number(timeRuns[1]);
    const std::int64_t seconds = Number(timeRuns[2]);
    const std::int64_t fraction = timeRuns.size() > 3 ? FractionMicroseconds(timeRuns[3]) : 0;
    if (!InRange(year, 1900, 1000000) || !InRange(month, 1, 12) || !InRange(day, 1, 31) || !InRange(hours, 0, 23) ||
        !InRange(minutes, 0, 59) || !InRange(seconds, 0, 59))
        throw CZarvaException(messages::kBadFileFormat, date + " " + time);
    const std::int64_t days = DaysFromCivil(year, static_cast<int>(month), static_cast<int>(day));
    const std::int64_t wholeSeconds = days * 86400 + hours * 3600 + minutes * 60 + seconds;
    return {true, wholeSeconds * 1000000 + fraction};
}

SyncOutcome SynchroniseByStartTime(Document& document)
{
    const Oscillogram& record = document.oscillogram;
    const Channel* pasted = nullptr;
    for (const Channel& channel : record.channels) {
        if (channel.HasFlag(display::kPasted)) {
            pasted = &channel;
            break;
        }
    }
    if (pasted == nullptr)
        return {};
    const StartMoment own = ParseStartMoment(record.startDate, record.startTime);
    const StartMoment other = ParseStartMoment(pasted->pastedSource.startDate, pasted->pastedSource.startTime);
    if (!own.found || !other.found)
        return {};
    const std::size_t count = std::min(record.SampleCount(), record.sampleTimes.size());
    const double ownSpan = count > 0 ? static_cast<double>(record.sampleTimes[count - 1] - record.sampleTimes[0]) : 0.0;
    double otherSpan = 0.0;
    const std::string& duration = pasted->pastedSource.duration;
    std::from_chars(duration.data(), duration.data() + duration.size(), otherSpan);

    const auto t1 = static_cast<double>(own.microseconds);
    const auto t2 = static_cast<double>(other.microseconds);
    if (t2 + otherSpan <= t1 || t1 + ownSpan <= t2)
        return {0, sync_texts::kNoOverlap, false};
    document.merge.mergeOffset = (t2 - t1) * 0.000001;
    return {sync_texts::kSucceeded, 0, true};
}

} // namespace zarva
