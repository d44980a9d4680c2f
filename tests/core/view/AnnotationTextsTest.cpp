#include "ViewTestRecord.h"

#include "core/view/AnnotationTexts.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(AnnotationTexts, BoxesTellWhatTheItemMarksAfterTheComment)
{
    test::ViewTestRecord record(5000);
    record.Analog("Ia", "A");
    record.Record().startDate = "01/02/2020";
    record.Record().startTime = "23:59:59.500";

    MomentItem moment;
    moment.position = 2250;
    moment.text = "Fault\nphase A";
    EXPECT_EQ(DisplayText(moment, record.Record()),
              "Fault\nphase A\n\nВремя: 02/02/2020 00:00:01.750\nОт начала ОСЦ: 2.250 с");
    moment.text.clear();
    moment.position = 0;
    EXPECT_EQ(DisplayText(moment, record.Record()), "Время: 01/02/2020 23:59:59.500\nОт начала ОСЦ: 0.000 с");

    LevelItem level;
    level.channel = "Ia";
    level.positionY = 2.5;
    level.text = "3I0";
    EXPECT_EQ(DisplayText(level, record.Record()), "3I0\n\nУровень: 2.50 А");
    level.positionY = -12500.0;
    EXPECT_EQ(DisplayText(level, record.Record()), "3I0\n\nУровень: -12.50 кА");
    level.positionY = 2.5;
    level.channel = "gone";
    EXPECT_EQ(DisplayText(level, record.Record()), "3I0\n\nУровень: 2.50 ");

    AreaItem area;
    area.positionFrom = 1300;
    area.positionTo = 30;  // drawn backwards
    EXPECT_EQ(DisplayText(area, record.Record()), "Длительность: 1.270 с");
}

TEST(AnnotationTexts, MenuCaptionsNameTheKindAndTheState)
{
    AreaItem area;
    AnnotationMenuTexts texts = MenuTexts(area);
    EXPECT_EQ(texts.remove, "Удалить область");
    EXPECT_EQ(texts.lock, "Зафиксировать область");
    EXPECT_EQ(texts.comment, "Скрыть комментарий");
    MomentItem moment;
    moment.locked = true;
    moment.visible = false;
    texts = MenuTexts(moment);
    EXPECT_EQ(texts.remove, "Удалить визир");
    EXPECT_EQ(texts.lock, "Разблокировать визир");
    EXPECT_EQ(texts.comment, "Отображать комментарий");
    EXPECT_EQ(MenuTexts(LevelItem{}).lock, "Зафиксировать линию уровня");
}

} // namespace
} // namespace zarva
