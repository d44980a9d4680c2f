#include "ViewTestRecord.h"

#include "core/view/CursorTexts.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

class CursorTextsTest : public ::testing::Test {
protected:
    CursorTextsTest() : record(5000)
    {
        record.Analog("Ia", "A");
        record.Analog("Ua", "kV");
        record.Record().startTime = "10:15:28";
    }

    CursorStatus Texts(RulerUnit unit) { return CursorStatusTexts(record.Doc(), unit); }

    test::ViewTestRecord record;
};

TEST_F(CursorTextsTest, InactiveCursorsShowTheirNamesAloneVerticalOnesAValueInEveryRulerUnit)
{
    EXPECT_EQ(Texts(RulerUnit::Milliseconds).Panes(),
              (std::vector<std::string>{"Верт. визир 1:", "Верт. визир 2:", "Разница. верт. визиров:", "Гор. визир 1:",
                                        "Гор. визир 2:", "Разница г. визиров:"}));
    CursorSet& cursors = record.Doc().cursors;
    cursors.PlaceVertical(0, 2250, 5000);
    cursors.PlaceVertical(1, 1000, 5000);

    CursorStatus status = Texts(RulerUnit::Microseconds);
    EXPECT_EQ(status.vertical1, "Верт. визир 1: 2250000 мкс");
    EXPECT_EQ(status.verticalDifference, "Разница. верт. визиров: 1250000 мкс");
    status = Texts(RulerUnit::Milliseconds);
    EXPECT_EQ(status.vertical2, "Верт. визир 2: 1000 мс");
    EXPECT_EQ(status.verticalDifference, "Разница. верт. визиров: 1250 мс");
    status = Texts(RulerUnit::Seconds);
    EXPECT_EQ(status.vertical1, "Верт. визир 1: 2.250 сек.");
    EXPECT_EQ(status.verticalDifference, "Разница. верт. визиров: 1.250 сек.");
    status = Texts(RulerUnit::AbsoluteTime);
    EXPECT_EQ(status.vertical1, "Верт. визир 1: 10:15:30.250");
    EXPECT_EQ(status.verticalDifference, "Разница. верт. визиров: 01.250");
    status = Texts(RulerUnit::Samples);
    EXPECT_EQ(status.vertical1, "Верт. визир 1: 2251");
    EXPECT_EQ(status.verticalDifference, "Разница. верт. визиров: 1250");

    cursors.SetVerticalActive(1, false);
    EXPECT_EQ(Texts(RulerUnit::Samples).verticalDifference, "Разница. верт. визиров:");
}

TEST_F(CursorTextsTest, AFastRecordShowsTheDecimalsOfItsSamples)
{
    record.Retime(2400.0);
    CursorSet& cursors = record.Doc().cursors;
    cursors.PlaceVertical(0, 219, 5000);
    cursors.PlaceVertical(1, 220, 5000);
    CursorStatus status = Texts(RulerUnit::Milliseconds);
    EXPECT_EQ(status.vertical1, "Верт. визир 1: 91.3 мс");
    EXPECT_EQ(status.vertical2, "Верт. визир 2: 91.7 мс");
    EXPECT_EQ(status.verticalDifference, "Разница. верт. визиров: 0.4 мс");
    status = Texts(RulerUnit::AbsoluteTime);
    EXPECT_EQ(status.vertical2, "Верт. визир 2: 10:15:28.091667");
    EXPECT_EQ(status.verticalDifference, "Разница. верт. визиров: 00.000417");
}

TEST_F(CursorTextsTest, HorizontalDifferenceNeedsBothOnOneChannel)
{
    CursorSet& cursors = record.Doc().cursors;
    cursors.PlaceHorizontal(0, 2.5, 0);
    cursors.PlaceHorizontal(1, -1.25, 1);
    CursorStatus status = Texts(RulerUnit::Milliseconds);
    EXPECT_EQ(status.horizontal1, "Гор. визир 1:  2.5 А");
    EXPECT_EQ(status.horizontal2, "Гор. визир 2: -1.25 В");
    EXPECT_EQ(status.horizontalDifference, "Разница г. визиров:");
    cursors.PlaceHorizontal(1, -1.25, 0);
    EXPECT_EQ(Texts(RulerUnit::Milliseconds).horizontalDifference, "Разница г. визиров: 3.75 А");
    cursors.PlaceHorizontal(0, 63508.5, 1);
    cursors.PlaceHorizontal(1, -1500.0, 1);
    status = Texts(RulerUnit::Milliseconds);
    EXPECT_EQ(status.horizontal1, "Гор. визир 1: 63.5085 кВ");
    EXPECT_EQ(status.horizontalDifference, "Разница г. визиров: 65.0085 кВ");
}

TEST(StackLabels, LaterLabelsMoveDownOnlyPastOverlaps)
{
    EXPECT_EQ(StackLabels({{0, 50}, {60, 100}, {40, 70}, {45, 55}, {100, 120}}),
              (std::vector<int>{0, 0, 1, 2, 0}));
}

} // namespace
} // namespace zarva
