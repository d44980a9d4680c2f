#include "core/document/Document.h"
#include "core/formats/ComtradeTime.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(NormaliseDate, OrderFollowsTheRevisionAndImpossibleMonthsSwap)
{
    EXPECT_EQ(NormaliseDate("05/03/2020", false), "03/05/2020");
    EXPECT_EQ(NormaliseDate("05/03/2020", true), "05/03/2020");
    EXPECT_EQ(NormaliseDate("25/03/20", false), "25/03/2020");
    EXPECT_EQ(NormaliseDate("09/17/15", true), "17/09/2015");
    EXPECT_EQ(NormaliseDate(" 1/2/2020 ", true), "01/02/2020");
    EXPECT_EQ(NormaliseDate("1/2", true), "");
    EXPECT_EQ(NormaliseDate("", true), "");
}

class MomentTextTest : public ::testing::Test {
protected:
    std::string Moment(const std::string& date, const std::string& time, bool utc)
    {
        return MomentText(document.oscillogram, date, time, utc);
    }
    Document document;
};

TEST_F(MomentTextTest, WithoutLocalCodeTheTimeIsShownAsWritten)
{
    document.oscillogram.revisionYear = "1999";
    EXPECT_EQ(Moment("12/01/2011", " 5:55:30", true), "12/01/2011, 5:55:30");
}

TEST_F(MomentTextTest, LocalCodeShiftsTheTimeUnlessUtcIsChosen)
{
    Oscillogram& record = document.oscillogram;
    record.revisionYear = "2013";
    record.localCode = "+3";
    EXPECT_EQ(Moment("31/12/2019", "23:30:00.000100", true), "31.12.2019, 23:30:00.000100 (UTC)");
    EXPECT_EQ(Moment("31/12/2019", "23:30:00.000100", false), "01.01.2020, 02:30:00.000100 (Местное время)");
    record.localCode = "-5h30";
    EXPECT_EQ(Moment("01/03/2020", "01:00:00.5", false), "29.02.2020, 19:30:00.5 (Местное время)");
    record.localCode = "0";
    EXPECT_EQ(Moment("01/03/2020", "1:2:3", false), "01.03.2020, 01:02:03 (Местное время)");
}

TEST_F(MomentTextTest, UnreadableMomentsAreShownAsWritten)
{
    document.oscillogram.revisionYear = "2013";
    document.oscillogram.localCode = "0";
    EXPECT_EQ(Moment("soon", "10:00:00.0", true), "soon, 10:00:00.0 (UTC)");
    EXPECT_EQ(Moment("13/13/2020", "10:00:00.0", true), "13/13/2020, 10:00:00.0 (UTC)");
}

} // namespace
} // namespace zarva
