#include "core/finder/RecordList.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

FoundRecord Found(const std::string& path, const std::string& station, const std::string& recorder,
                  std::optional<RecordMoment> start)
{
    return {path, RecordType::Cfg, station, recorder, std::move(start)};
}

RecordMoment At(int year, int month, int day, int hours = 0, std::string fraction = {})
{
    return {year, month, day, hours, 0, 0, std::move(fraction)};
}

std::vector<std::string> Names(std::vector<FoundRecord> records, SortMode mode)
{
    SortRecords(records, mode);
    std::vector<std::string> names;
    for (const FoundRecord& record : records)
        names.push_back(record.path.string());
    return names;
}

using Names_ = std::vector<std::string>;

TEST(RecordListTest, FiltersByStationRecorderAndInclusiveDates)
{
    const FoundRecord record = Found("a.cfg", "North", "R1", At(2021, 2, 13, 23));
    EXPECT_TRUE(RecordFilter{}.Matches(record));
    const CalendarDate day{2021, 2, 13};
    EXPECT_TRUE((RecordFilter{.station = "North", .recorder = "R1", .from = day, .to = day}.Matches(record)));
    EXPECT_FALSE(RecordFilter{.station = "South"}.Matches(record));
    EXPECT_FALSE(RecordFilter{.recorder = "R2"}.Matches(record));
    EXPECT_FALSE((RecordFilter{.from = CalendarDate{2021, 2, 14}}.Matches(record)));
    EXPECT_FALSE((RecordFilter{.to = CalendarDate{2021, 2, 12}}.Matches(record)));
    EXPECT_TRUE(RecordFilter{.station = ""}.Matches(Found("b.cfg", "", "", std::nullopt))) << "an empty station is a station";
    EXPECT_FALSE((RecordFilter{.from = CalendarDate{1970, 1, 1}}.Matches(Found("b", "", "", {}))));
}

TEST(RecordListTest, SortsNewestFirstByDefaultWithUndatedLastEitherWay)
{
    const std::vector<FoundRecord> records = {
        Found("old", "B", "2", At(2020, 1, 1)), Found("none", "A", "1", std::nullopt),
        Found("new", "C", "3", At(2021, 1, 1, 0, "5")), Found("newer", "A", "3", At(2021, 1, 1, 0, "50001"))};
    EXPECT_EQ(Names(records, kDefaultSortMode), (Names_{"newer", "new", "old", "none"}));
    EXPECT_EQ(Names(records, SortMode::OldestFirst), (Names_{"old", "new", "newer", "none"}));
    EXPECT_EQ(Names(records, SortMode::StationAscending), (Names_{"newer", "none", "old", "new"}));
    EXPECT_EQ(Names(records, SortMode::RecorderDescending), (Names_{"newer", "new", "old", "none"}));
    EXPECT_EQ(Names(records, SortMode::NameDescending), (Names_{"old", "none", "newer", "new"}));
}

TEST(RecordListTest, NamesSortByTheirNumbers)
{
    const std::vector<FoundRecord> records = {Found("10.cfg", "", "", {}), Found("9.cfg", "", "", {}),
                                              Found("09.cfg", "", "", {}), Found("a10b2.cfg", "", "", {}),
                                              Found("a10b10.cfg", "", "", {})};
    EXPECT_EQ(Names(records, SortMode::NameAscending), (Names_{"09.cfg", "9.cfg", "10.cfg", "a10b2.cfg", "a10b10.cfg"}));
}

TEST(RecordListTest, HeaderClicksToggleTheOrderAndStoredNumbersAreChecked)
{
    EXPECT_EQ(ToggledSort(SortMode::NewestFirst, SortKey::Date), SortMode::OldestFirst);
    EXPECT_EQ(ToggledSort(SortMode::OldestFirst, SortKey::Date), SortMode::NewestFirst);
    EXPECT_EQ(ToggledSort(SortMode::NewestFirst, SortKey::Station), SortMode::StationAscending);
    EXPECT_EQ(ToggledSort(SortMode::StationAscending, SortKey::Station), SortMode::StationDescending);
    EXPECT_EQ(SortModeFrom(5), SortMode::RecorderDescending);
    EXPECT_EQ(SortModeFrom(8), kDefaultSortMode);
    EXPECT_EQ(SortModeFrom(-1), kDefaultSortMode);
}

TEST(RecordListTest, IsoDatesAreCheckedAgainstTheCalendar)
{
    EXPECT_EQ(ParseIsoDate("2024-02-29"), (CalendarDate{2024, 2, 29}));
    for (const char* wrong : {"2023-02-29", "2021-13-01", "2021-1", "13.02.2021", "2021-02-13x", ""})
        EXPECT_FALSE(ParseIsoDate(wrong)) << wrong;
}

} // namespace
} // namespace zarva
