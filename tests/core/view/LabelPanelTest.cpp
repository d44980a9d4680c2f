#include "ViewTestRecord.h"

#include "core/view/ChannelColours.h"
#include "core/view/LabelPanel.h"
#include "core/model/TextFormat.h"
#include "support/Samples.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarva {
namespace {

TEST(ValueTexts, UseTheUnitMultipleThatKeepsTheNumberBelowAThousand)
{
    EXPECT_EQ(CursorValueText(63508.5, "В"), " 63.51 кВ");
    EXPECT_EQ(CursorValueText(-0.25, "А"), "-0.25 А");
    EXPECT_EQ(CursorValueText(-2.5e6, "В"), "-2.50 МВ");
    EXPECT_EQ(ReadoutValueText(-3.0, "А"), "-3.00 А");
    EXPECT_EQ(ReadoutValueText(0.0123, "А"), " 0.012 А");
    EXPECT_EQ(ReadoutValueText(1500.0, ""), " 1500.00 ") << "no multiple without a unit";
    EXPECT_EQ(HoverText(-1.0 / 3.0), "-0.333333 ");
    EXPECT_EQ(HoverText(2.0), " 2        ");
}

TEST(ReadoutLines, InvertedChannelShowsTheExtremesOfItsInvertedSeriesAndMeasuresAtCursorOne)
{
    test::ViewTestRecord record;
    Channel& channel = record.Analog("Ia", "A", std::vector<double>(100, 4.0));
    test::SetSample(channel, 10, -1.0);
    channel.displayFlags = display::kVisible | display::kCurveInstant | display::kReadMinMax | display::kInverted;
    channel.Recompute();
    const std::vector<ReadoutLine> lines = ReadoutLines(channel, std::nullopt);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].label, "Max:");
    EXPECT_EQ(lines[0].value, 1.0);
    EXPECT_EQ(lines[1].label, "Min:");
    EXPECT_EQ(lines[1].value, -4.0);
    EXPECT_EQ(Badges(channel), (std::vector<Badge>{Badge::Inverted}));

    Channel& sine = record.Analog("Ib");
    sine.displayFlags = display::kVisible | display::kCurveInstant | display::kReadRms | display::kReadFirstHarmonic;
    const std::vector<ReadoutLine> unplaced = ReadoutLines(sine, std::nullopt);
    ASSERT_EQ(unplaced.size(), 2u);
    EXPECT_FALSE(unplaced[0].value.has_value());
    const std::vector<ReadoutLine> measured = ReadoutLines(sine, 50);
    EXPECT_EQ(measured[0].label, "СКЗ:");
    EXPECT_NEAR(*measured[0].value, 10.0 / std::sqrt(2.0), 1e-9);
    EXPECT_EQ(measured[1].label, "A1:");
    EXPECT_NEAR(*measured[1].value, 10.0 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(*ValueAtCursor(sine, 5), 10.0, 1e-9);
    EXPECT_FALSE(ValueAtCursor(sine, std::nullopt).has_value());
}

TEST(ReadoutLines, AMissingSampleReadsAsADashAndIsNoExtreme)
{
    test::ViewTestRecord record;
    std::vector<double> values(100, 5.0);
    values[10] = 3.0;
    values[20] = std::nan("");
    Channel& channel = record.Analog("Ia", "A", values);
    channel.SetFlag(display::kReadMinMax, true);
    channel.Recompute();
    EXPECT_EQ(channel.minValue, 3.0);
    EXPECT_EQ(channel.maxValue, 5.0);
    EXPECT_EQ(CursorValueLabel(channel, 20), " —      " + PanelUnit(channel));
    EXPECT_EQ(CursorValueLabel(channel, 10), CursorValueText(3.0, PanelUnit(channel)));
    EXPECT_FALSE(CursorValueLabel(channel, std::nullopt).has_value());
    EXPECT_TRUE(ReadoutLines(channel, 25)[2].value.has_value()) << "the RMS counts it as 0";
}

TEST(LabelPanelWidths, FitNamesValuesAndTheAbsoluteTimeDate)
{
    test::ViewTestRecord record;
    record.Analog("A channel with a very long name indeed", "A");
    record.Analog("Ux", "bar");
    // Every character 7 pixels wide in the main font, 6 in the small one.
    const TextWidth width = [](const std::string& text) { return 7 * static_cast<int>(CharacterCount(text)); };
    const TextWidth small = [](const std::string& text) { return 6 * static_cast<int>(CharacterCount(text)); };
    PanelWidths widths = LabelPanelWidths(record.Record(), RulerUnit::Milliseconds, width, small);
    EXPECT_EQ(PanelName(record.Channels()[0]), "A channel with a very lon");
    EXPECT_EQ(widths.nameColumnWidth, 7 * 25 + 5);
    // The unrecognised unit needs the long template ": -0.0000000E-000 ".
    EXPECT_EQ(widths.leftMargin, widths.nameColumnWidth + 7 * 18 + 10);

    test::ViewTestRecord narrow;
    narrow.Discrete("T", {0.0});
    widths = LabelPanelWidths(narrow.Record(), RulerUnit::AbsoluteTime, width, small);
    EXPECT_EQ(widths.leftMargin, 6 * 13 + 5 + 6 * 12 / 2);
}

TEST(ChannelColour, PhaseFromThePhaseTextFirstThenTheNameThenThePalette)
{
    test::ViewTestRecord record;
    Channel& ia = record.Analog("Ia");
    EXPECT_EQ(ChannelColour(ia, 0, ClassifyPhase("", "Ia")), Rgb(192, 192, 0));
    EXPECT_EQ(ChannelColour(ia, 0, ClassifyPhase("", "3Io")), Rgb(0, 0, 255));
    EXPECT_EQ(ChannelColour(ia, 0, ClassifyPhase("с", "X")), Rgb(255, 0, 0));
    EXPECT_EQ(ChannelColour(ia, 0, ClassifyPhase("B", "X")), Rgb(0, 114, 41));
    EXPECT_EQ(ChannelColour(ia, 12, ClassifyPhase("", "Freq")), Rgb(193, 52, 52));
    ia.customColourSet = true;
    ia.customColour = static_cast<std::int32_t>(Rgb(1, 2, 3));
    EXPECT_EQ(ChannelColour(ia, 0, Phase::A), Rgb(1, 2, 3));

    EXPECT_EQ(ClassifyPhase("АБ", "Ia"), Phase::AB);
    EXPECT_EQ(ClassifyPhase("x", "Uab"), Phase::AB);
    EXPECT_EQ(ClassifyPhase("", "UСА линии"), Phase::CA);
    EXPECT_EQ(ClassifyPhase("", "Uа"), Phase::A);
    EXPECT_EQ(ClassifyPhase("", "3U0"), Phase::N);
    EXPECT_EQ(ClassifyPhase("", "Freq"), Phase::None);
}

} // namespace
} // namespace zarva
