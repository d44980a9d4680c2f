#include "core/diagrams/VectorChart.h"

#include "core/document/Document.h"
#include "support/Samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace zarva {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// A record whose analog channels carry one phasor each, at sample 0.
class PhasorRecord {
public:
    PhasorRecord()
    {
        record.channels.reserve(16);
        record.sampleRate = 1000;
    }

    Channel& Add(const std::string& name, const std::string& unit, double magnitude, double angleDeg,
                 bool onDiagram = true)
    {
        return AddPhasors(name, unit, {std::polar(magnitude, angleDeg * kDegree)}, onDiagram);
    }

    Channel& AddPhasors(const std::string& name, const std::string& unit, std::vector<Phasor> phasors,
                        bool onDiagram = true)
    {
        Channel channel(ChannelKind::Analog, &document);
        channel.name = name;
        channel.unit = unit;
        channel.samples.Assign({0.0});
        channel.SetFlag(display::kOnVectorDiagram, onDiagram);
        test::SupplyPhasors(channel, std::move(phasors));
        record.channels.push_back(std::move(channel));
        return record.channels.back();
    }

    VectorPicture Picture(const VectorChartSettings& settings = {}) const
    {
        return BuildVectorPicture(record, settings, 0);
    }

    Document document;
    Oscillogram& record = document.oscillogram;
};

double Degrees(double radians)
{
    return radians / kDegree;
}

TEST(FullScale, RoundsUpToFiveOrTenTimesAPowerOfTenAndNothingToScaleGivesZero)
{
    // 1000 and 5000.001: right at a power of ten the decade is not misjudged.
    const std::pair<double, double> cases[] = {{57.3, 100.0}, {12.0, 50.0},         {230.0, 500.0}, {0.5, 0.5},
                                               {0.3, 0.5},    {1000.0, 5000.0},     {5.0, 5.0},     {63508.5, 100000.0},
                                               {5000.001, 10000.0}};
    for (const auto& [value, scale] : cases)
        EXPECT_DOUBLE_EQ(FullScale(value), scale) << value;
    for (const double nothing : {0.0, -3.0, std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity(), std::numeric_limits<double>::max()})
        EXPECT_EQ(FullScale(nothing), 0.0) << nothing;
}

TEST(VectorPicture, VoltagesAndCurrentsHaveTheirOwnScales)
{
    PhasorRecord test;
    test.Add("Ua", "V", 57.3, 0);
    test.Add("Ub", "V", 12.0, -120);
    test.Add("Ia", "A", 0.31, 10);
    test.Add("Un", "nom", 230.0, 0, false);
    const VectorPicture picture = test.Picture();
    ASSERT_EQ(picture.arrows.size(), 3u);
    EXPECT_DOUBLE_EQ(picture.voltageScale, 100.0);
    EXPECT_DOUBLE_EQ(picture.currentScale, 0.5);
    EXPECT_TRUE(picture.arrows[2].current);
    EXPECT_FALSE(picture.arrows[1].current);
    // The 12 V arrow is 0.12 of the radius.
    EXPECT_EQ(ArrowLength(200.0, picture.arrows[1].magnitude, picture.voltageScale, false), 24);
    EXPECT_NEAR(Degrees(picture.arrows[1].angle), -120.0, 1e-9);
}

TEST(VectorPicture, NominalAndUnitlessChannelsShareTheVoltageScale)
{
    PhasorRecord test;
    test.Add("K", "", 230.0, 0);
    test.Add("Ua", "V", 57.3, 0);
    EXPECT_DOUBLE_EQ(test.Picture().voltageScale, 500.0);
    EXPECT_EQ(test.Picture().currentScale, 0.0);
}

TEST(VectorPicture, AnglesAreWrappedAgainstTheReferenceChannelWhileItIsOnTheDiagram)
{
    PhasorRecord test;
    test.Add("Ua", "V", 57.0, 30);
    test.Add("Ub", "V", 57.0, -160);
    VectorChartSettings settings;
    settings.angleChannelName = "ua";
    const VectorPicture picture = test.Picture(settings);
    EXPECT_TRUE(picture.relativeAngles);
    EXPECT_NEAR(Degrees(picture.arrows[0].angle), 0.0, 1e-9);
    EXPECT_NEAR(Degrees(picture.arrows[1].angle), 170.0, 1e-9);

    test.record.channels[0].SetFlag(display::kOnVectorDiagram, false);
    EXPECT_FALSE(test.Picture(settings).relativeAngles);
    EXPECT_NEAR(Degrees(test.Picture(settings).arrows[0].angle), -160.0, 1e-9);
    settings.angleChannelName = "Uz";
    EXPECT_NEAR(Degrees(test.Picture(settings).arrows[0].angle), -160.0, 1e-9);
}

TEST(VectorPicture, PhasorsThatAreNotNumbersOrMissingCountAsZero)
{
    PhasorRecord test;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    test.AddPhasors("Ua", "V", {Phasor(nan, 1.0)});
    test.AddPhasors("Ub", "V", {Phasor(std::numeric_limits<double>::infinity(), 0.0)});
    test.AddPhasors("Uc", "V", {});
    test.Add("Ia", "A", 2.0, 0);
    const VectorPicture picture = test.Picture();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(picture.arrows[i].magnitude, 0.0) << i;
    EXPECT_EQ(picture.voltageScale, 0.0);
    EXPECT_DOUBLE_EQ(picture.currentScale, 5.0);
    EXPECT_EQ(PhasorAt(test.record.channels[3], -1), Phasor{});
}

TEST(ArrowLength, ScaledRoundedHalfUpOrWholeRadiusForDirections)
{
    EXPECT_EQ(ArrowLength(100.0, 12.5, 100.0, false), 13);
    EXPECT_EQ(ArrowLength(100.0, 12.49, 100.0, false), 12);
    EXPECT_EQ(ArrowLength(150.0, 0.31, 0.5, true), 150);
    EXPECT_EQ(ArrowLength(150.0, 57.3, 0.0, false), 0);
    // A zero phasor has no direction to draw.
    EXPECT_EQ(ArrowLength(150.0, 0.0, 100.0, true), 0);
}

TEST(VectorChartSettings, ReadingClearsTheBitOnChannelsThatMayNotCarryIt)
{
    PhasorRecord test;
    test.Add("Ua", "V", 1, 0);
    test.Add("Ia", "a", 1, 0);
    test.Add("Kn", "nom", 1, 0);
    test.Add("X", "", 1, 0);
    test.Add("F", "Hz", 1, 0);
    test.Add("Z", "Ohm", 1, 0);
    Channel discrete(ChannelKind::Discrete, &test.document);
    discrete.SetFlag(display::kOnVectorDiagram, true);
    test.record.channels.push_back(discrete);

    ReadVectorChart(test.document.settings, test.record);
    const bool expected[] = {true, true, true, true, false, false, false};
    for (std::size_t i = 0; i < test.record.channels.size(); ++i)
        EXPECT_EQ(test.record.channels[i].HasFlag(display::kOnVectorDiagram), expected[i]) << i;
    EXPECT_EQ(VectorMenuChannels(test.record), (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST(VectorChartSettings, MenusAndShowAllFollowEligibility)
{
    PhasorRecord test;
    test.Add("Ua", "V", 1, 0, false);
    test.Add("F", "Hz", 1, 0, false);
    test.Add("Ia", "A", 1, 0, true);
    EXPECT_EQ(AngleReferenceChannels(test.record), (std::vector<std::size_t>{2}));
    ShowAllOnVectorDiagram(test.record, true);
    EXPECT_FALSE(test.record.channels[1].HasFlag(display::kOnVectorDiagram));
    EXPECT_EQ(AngleReferenceChannels(test.record), (std::vector<std::size_t>{0, 2}));
    ShowAllOnVectorDiagram(test.record, false);
    EXPECT_TRUE(AngleReferenceChannels(test.record).empty());
}

TEST(VectorChartSettings, WrittenAndReadBack)
{
    PhasorRecord test;
    VectorChartSettings defaults = ReadVectorChart(test.document.settings, test.record);
    EXPECT_EQ(defaults, VectorChartSettings{});
    const VectorChartSettings changed{"Ia", true, true, true};
    WriteVectorChart(test.document.settings, changed);
    EXPECT_EQ(test.document.settings.Section("Vector Chart").GetString("ShowAnglesValue"), "1");
    EXPECT_EQ(ReadVectorChart(test.document.settings, test.record), changed);
}

TEST(GridCircles, OneCirclePerRoundStepThatFits)
{
    EXPECT_EQ(GridCircles(500.0, 200.0, 12.0), 5);
    EXPECT_EQ(GridCircles(0.5, 30.0, 12.0), 5);
    EXPECT_EQ(GridCircles(100.0, 200.0, 12.0), 10);
    EXPECT_EQ(GridCircles(1000.0, 100.0, 12.0), 5);
    EXPECT_EQ(GridCircles(100.0, 50.0, 12.0), 4);
    EXPECT_EQ(GridCircles(0.0, 200.0, 12.0), 4);
}

} // namespace
} // namespace zarva
