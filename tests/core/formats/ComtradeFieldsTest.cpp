// The small readers behind a configuration: fields and numbers, dates and moments, rates.
#include "core/document/Document.h"
#include "core/formats/CfgFieldReader.h"
#include "core/formats/ComtradeTime.h"
#include "core/formats/MappedFile.h"
#include "core/formats/SampleRate.h"
#include "core/model/ZarvaException.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zarva {
namespace {

TEST(CfgFieldReader, FieldsStopAtDelimitersAndKeepInnerBlanks)
{
    CfgFieldReader reader("  a b ,\tc\r\n,last");
    EXPECT_EQ(reader.ReadField(), "a b ");
    EXPECT_EQ(reader.ReadField(), "c");
    EXPECT_EQ(reader.ReadField(), "");
    EXPECT_EQ(reader.ReadField(), "last");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadField(), "");
}

TEST(CfgFieldReader, LinesSkipBlankLinesAndEveryLineEnd)
{
    CfgFieldReader reader("one\r\r\n\n  two,2\rthree");
    EXPECT_EQ(reader.ReadLine(), "one");
    EXPECT_EQ(reader.ReadLine(), "two,2");
    EXPECT_EQ(reader.ReadLine(), "three");
    EXPECT_EQ(reader.ReadLine(), "");
}

TEST(CfgFieldReader, IntegersTakeTheLeadingDigitsAndConsumeTheField)
{
    CfgFieldReader reader("12A,-7,--3,4-2, x");
    EXPECT_EQ(reader.ReadInt(), 12);
    EXPECT_EQ(reader.ReadInt(), -7);
    EXPECT_EQ(reader.ReadInt(), 3);
    EXPECT_EQ(reader.ReadInt(), -42);
    EXPECT_EQ(reader.ReadInt(), 0);
    EXPECT_EQ(LeadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(LeadingInt("-2147483648"), -2147483648LL);
    EXPECT_EQ(LeadingInt("-32767.000"), -32767);
}

TEST(CfgFieldReader, NumbersAreLocaleFreeAndNeverFail)
{
    EXPECT_DOUBLE_EQ(ToNumber(" 2.836798e+000"), 2.836798);
    EXPECT_DOUBLE_EQ(ToNumber("+0.5"), 0.5);
    EXPECT_DOUBLE_EQ(ToNumber("60.000000000"), 60.0);
    EXPECT_DOUBLE_EQ(ToNumber("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(ToNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("1e999"), 0.0);
}

TEST(MappedFile, EmptyMissingAndFolderPaths)
{
    const test::TempFolder folder;
    EXPECT_TRUE(MappedFile(folder.Write("empty.cfg", "")).Text().empty());
    EXPECT_EQ(MappedFile(folder.Write("text.cfg", "abc")).Text(), "abc");
    try {
        MappedFile missing(folder / "missing.cfg");
        FAIL();
    } catch (const FileException& error) {
        EXPECT_EQ(error.Path(), folder / "missing.cfg");
        EXPECT_NE(std::string(error.what()).find("missing.cfg"), std::string::npos);
    }
    EXPECT_THROW(MappedFile{folder.Path()}, FileException);
}

TEST(NormaliseDate, OrderFollowsTheRevisionAndImpossibleMonthsSwap)
{
    EXPECT_EQ(NormaliseDate("05/03/2020", false), "03/05/2020");
    EXPECT_EQ(NormaliseDate("05/03/2020", true), "05/03/2020");
    EXPECT_EQ(NormaliseDate("25/03/20", false), "25/03/2020");
    EXPECT_EQ(NormaliseDate("05/03/98", false), "03/05/1998");
    EXPECT_EQ(NormaliseDate("31/12/69", true), "31/12/2069");
    EXPECT_EQ(NormaliseDate("01/01/70", true), "01/01/1970");
    EXPECT_EQ(NormaliseDate("09/17/15", true), "17/09/2015");
    EXPECT_EQ(NormaliseDate(" 1/2/2020 ", true), "01/02/2020");
    EXPECT_EQ(NormaliseDate("1/2", true), "");
    EXPECT_EQ(NormaliseDate("", true), "");
}

// File times run at UTC + time code; local time is UTC + local code.
TEST(MomentText, TimeCodesGiveUtcAndLocalTimeAndUnreadableMomentsStayAsWritten)
{
    // revision, time code, local code, date, time, UTC chosen, shown
    const std::tuple<const char*, const char*, const char*, const char*, const char*, bool, const char*> cases[] = {
        {"1999", "", "", "12/01/2011", " 5:55:30", true, "12/01/2011, 5:55:30"},
        {"2013", "", "+3", "31/12/2019", "23:30:00.000100", true, "31.12.2019, 23:30:00.000100 (UTC)"},
        {"2013", "", "+3", "31/12/2019", "23:30:00.000100", false, "01.01.2020, 02:30:00.000100 (Местное время)"},
        {"2013", "+9", "+9", "01/02/2020", "09:19:53.1", true, "01.02.2020, 00:19:53.1 (UTC)"},
        {"2013", "+9", "+9", "01/02/2020", "09:19:53.1", false, "01.02.2020, 09:19:53.1 (Местное время)"},
        {"2013", "-5h30", "+3", "01/03/2020", "23:00:00.5", true, "02.03.2020, 04:30:00.5 (UTC)"},
        {"2013", "-5h30", "+3", "01/03/2020", "23:00:00.5", false, "02.03.2020, 07:30:00.5 (Местное время)"},
        {"2013", "0", "0", "01/03/2020", "1:2:3", false, "01.03.2020, 01:02:03 (Местное время)"},
        {"2013", "0", "0", "soon", "10:00:00.0", true, "soon, 10:00:00.0 (UTC)"},
        {"2013", "0", "0", "13/13/2020", "10:00:00.0", true, "13/13/2020, 10:00:00.0 (UTC)"},
    };
    for (const auto& [revision, timeCode, localCode, date, time, utc, shown] : cases) {
        Document document;
        document.oscillogram.revisionYear = revision;
        document.oscillogram.timeCode = timeCode;
        document.oscillogram.localCode = localCode;
        EXPECT_EQ(MomentText(document.oscillogram, date, time, utc), shown);
    }
}

TEST(UtcMoment, IsoTextWithEveryDigitOfTheFractionOnlyWithATimeCode)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    record.revisionYear = "2013";
    record.timeCode = "-5h30";
    EXPECT_EQ(UtcMoment(record, "12/01/2011", "05:55:30.075011123"), "2011-01-12T11:25:30.075011123Z");
    record.timeCode = "+9";
    EXPECT_EQ(UtcMoment(record, "01/01/2020", "03:00:00"), "2019-12-31T18:00:00Z");
    EXPECT_EQ(UtcMoment(record, "01/01/2020", "later"), std::nullopt);
    record.timeCode = "x";
    EXPECT_EQ(UtcMoment(record, "01/01/2020", "03:00:00"), std::nullopt);
    record.timeCode.clear();
    EXPECT_EQ(UtcMoment(record, "01/01/2020", "03:00:00"), std::nullopt);
}

TEST(ShiftedMoment, CrossesDaysAndYearsInTheRecordsDateOrderKeepingFinerFractions)
{
    const auto shifted = [](std::string_view date, std::string_view time, std::int64_t by, bool dayFirst) {
        const std::optional<MomentTexts> texts = ShiftedMoment(date, time, by, dayFirst);
        return texts ? texts->date + " " + texts->time : std::string("none");
    };
    EXPECT_EQ(shifted("01/03/2020", "00:00:00.005", -7100, true), "29/02/2020 23:59:59.997900");
    EXPECT_EQ(shifted("02/28/99", "23:59:59.999999", 2, false), "03/01/1999 00:00:00.000001");
    EXPECT_EQ(shifted("1/1/2021", "00:00:01.000000123", -1'500'000, true), "31/12/2020 23:59:59.500000123");
    EXPECT_EQ(shifted("31/02/2020", "00:00:00", -1, true), "none");
}

TEST(SnapSampleRate, BandsForSeveralRatesWholePeriodsForOneAndZeroForBrokenRates)
{
    // rate, line frequency, several rates, snapped rate
    const std::tuple<double, double, bool, std::int64_t> cases[] = {
        {1100, 50, true, 1200},  {1650, 50, true, 1600},   {14400, 50, true, 19200}, {1000, 60, true, 960},
        {30000, 50, true, 30000}, {1100, 55, true, 1100},  {3200, 50, true, 3200},
        {1100, 50, false, 1100}, {5760, 50, false, 5750},  {15360, 60, false, 15360},
        {2398.4, 50, false, 2400}, {1025, 50, false, 1050},  // 20.5 periods round up
        {10, 50, false, 0},      {0.0, 50, false, 0},      {-1200.0, 50, true, 0},
        {1.0 / 0.0, 50, false, 0}, {1e300, 50, false, 0},
    };
    for (const auto& [rate, lineFrequency, several, snapped] : cases)
        EXPECT_EQ(SnapSampleRate(rate, lineFrequency, several), snapped) << rate << " " << several;
    // A rate that gives fewer than four samples a period is kept, rounded.
    EXPECT_EQ(RecordSampleRate(30.0003, 60, false), 30);
    EXPECT_EQ(RecordSampleRate(170, 50, false), 170);
    EXPECT_EQ(RecordSampleRate(190, 50, false), 200);
    EXPECT_EQ(RecordSampleRate(0.01, 50, false), 1);
    EXPECT_EQ(RecordSampleRate(5760, 50, false), 5750);
}

TEST(SampleRate, LineFrequencySeriesFollowsTheSegments)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    record.lineFrequency = 50.0;
    record.sampleRate = 1600;
    record.rateSegments = {{3200, 2}, {50, 3}};
    const std::vector<double> series = LineFrequencySeries(record, 5);
    EXPECT_EQ(series, (std::vector<double>{100.0, 100.0, 50.0 / 1600 * 50.0, 0.0, 0.0}));
}

TEST(SampleRate, SegmentsAreTimedByTheirOwnRatesRoundedHalfUp)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    record.rateSegments = {{1000, 3}, {100, 3}, {100, 5}};
    EXPECT_TRUE(HasSeveralRates(record));
    EXPECT_EQ(TimesFromSegments(record, 7), (std::vector<std::int64_t>{0, 1000, 2000, 12000, 22000, 32000, 42000}));
    record.rateSegments = {{3200, 2}, {50, 4}, {3200, 5}};
    EXPECT_EQ(TimesFromSegments(record, 6), (std::vector<std::int64_t>{0, 313, 20313, 40313, 40625, 40938}));
    record.rateSegments = {{1000, 3}, {1000, 5}};
    EXPECT_FALSE(HasSeveralRates(record));
    record.rateSegments = {{0, 3}, {1000, 5}};
    EXPECT_FALSE(HasSeveralRates(record));
}

} // namespace
} // namespace zarva
