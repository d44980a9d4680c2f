#include "core/finder/RecordList.h"

#include <algorithm>

namespace zarva {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digit run starting at `i`, without its leading zeros; `i` moves past it.
std::string_view TakeDigits(std::string_view text, std::size_t& i)
{
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    std::string_view run = text.substr(start, i - start);
    while (run.size() > 1 && run.front() == '0')
        run.remove_prefix(1);
    return run;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// Newest first, undated last.
int CompareStartsNewestFirst(const FoundRecord& a, const FoundRecord& b)
{
    if (!a.start || !b.start)
        return static_cast<int>(!a.start) - static_cast<int>(!b.start);
    const std::strong_ordering order = CompareMoments(*b.start, *a.start);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int CompareKey(const FoundRecord& a, const FoundRecord& b, SortKey key)
{
    switch (key) {
    case SortKey::Name:
        return CompareNames(a.path.string(), b.path.string());
    case SortKey::Station:
        return Sign(a.station.compare(b.station));
    case SortKey::Recorder:
        return Sign(a.recorder.compare(b.recorder));
    case SortKey::Date:
        return CompareStartsNewestFirst(a, b);
    }
    return 0;
}

} // namespace

bool RecordFilter::Matches(const FoundRecord& record) const
{
    if ((station && record.station != *station) || (recorder && record.recorder != *recorder))
        return false;
    if (!from && !to)
        return true;
    if (!record.start)
        return false;
    const CalendarDate date = DateOf(*record.start);
    return (!from || date >= *from) && (!to || date <= *to);
}

SortMode SortModeFrom(int stored)
{
    return stored >= 0 && stored <= static_cast<int>(SortMode::OldestFirst) ? static_cast<SortMode>(stored)
                                                                              : kDefaultSortMode;
}

SortKey KeyOf(SortMode mode)
{
    return static_cast<SortKey>(static_cast<int>(mode) / 2);
}

SortMode ToggledSort(SortMode current, SortKey key)
{
    const int first = static_cast<int>(key) * 2;
    return static_cast<SortMode>(KeyOf(current) == key ? static_cast<int>(current) ^ 1 : first);
}

bool SortsBefore(const FoundRecord& a, const FoundRecord& b, SortMode mode)
{
    const SortKey key = KeyOf(mode);
    const bool second = (static_cast<int>(mode) & 1) != 0;
    int order = CompareKey(a, b, key);
    // Undated records stay last when the date order is reversed.
    if (second && !(key == SortKey::Date && (!a.start || !b.start)))
        order = -order;
    if (order == 0 && key != SortKey::Date)
        order = CompareStartsNewestFirst(a, b);
    if (order == 0)
        order = CompareNames(a.path.string(), b.path.string());
    return order < 0;
}

void SortRecords(std::vector<FoundRecord>& records, SortMode mode)
{
    std::sort(records.begin(), records.end(),
              [mode](const FoundRecord& a, const FoundRecord& b) { return SortsBefore(a, b, mode); });
}

int CompareNames(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view left = TakeDigits(a, i);
            const std::string_view right = TakeDigits(b, j);
            if (left.size() != right.size())
                return left.size() < right.size() ? -1 : 1;
            if (const int order = left.compare(right); order != 0)
                return Sign(order);
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    // "01" and "1" differ only in the zeros: the plain text decides.
    return Sign(a.compare(b));
}

} // namespace zarva
