#include "core/charbase/CharacteristicChoices.h"
#include "core/model/StringTable.h"
#include "core/storage/SettingsStore.h"

#include "RegionProbe.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>

namespace zarva {
namespace {

std::unique_ptr<Figure> MakeCircle(std::string x, std::string y, std::string radius, bool on = true,
                                   Combine combine = Combine::Or)
{
    auto circle = std::make_unique<Circle>();
    circle->xcenter = std::move(x);
    circle->ycenter = std::move(y);
    circle->radius = std::move(radius);
    circle->on = on;
    circle->combine = combine;
    return circle;
}

// Room is made first, so references to earlier characteristics stay valid.
BlockType MakeBlock(std::string name)
{
    BlockType block{std::move(name), {}};
    block.characteristics.reserve(8);
    return block;
}

Characteristic& Add(BlockType& block, std::string name, std::vector<Parameter> parameters = {})
{
    Characteristic& characteristic = block.characteristics.emplace_back();
    characteristic.name = std::move(name);
    characteristic.parameters = std::move(parameters);
    return characteristic;
}

const Circle& CircleOf(const Characteristic& characteristic)
{
    return dynamic_cast<const Circle&>(*characteristic.figures.front());
}

TEST(Recalculate, SettingsAndVariablesAreFoundByTheirLowerCaseNamesAndAFailureStaysWithItsCharacteristic)
{
    BlockType block = MakeBlock("Реле");
    Characteristic& zone = Add(block, "Зона", {{"Xr", "2", "2"}, {"K", "xr*3", "xr*3"}});
    zone.variables = {{"Half", "k/2"}};
    zone.figures.push_back(MakeCircle("xr", "-1", "half"));
    Characteristic& upper = Add(block, "Заглавные", {{"X", "1", "1"}});
    upper.figures.push_back(MakeCircle("0", "0", "X"));
    Characteristic& zero = Add(block, "Деление", {{"a", "0", "0"}});
    zero.figures.push_back(MakeCircle("1", "1", "1/a"));

    const std::vector<std::string> errors = Recalculate(block);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Заглавные: ", 0), 0u);
    EXPECT_NE(errors[0].find(Text(1071)), std::string::npos);
    EXPECT_TRUE(RegionSteps(upper, true, {1.0, 0, 0, {0, 0, 100, 100}}).empty());
    ASSERT_TRUE(zone.evaluated);
    EXPECT_DOUBLE_EQ(CircleOf(zone).centre.x, 2.0);
    EXPECT_DOUBLE_EQ(CircleOf(zone).centre.y, -1.0);
    EXPECT_DOUBLE_EQ(CircleOf(zone).r, 3.0);
    // Dividing by zero is no error: the infinite radius draws the fallback pixel.
    ASSERT_TRUE(zero.evaluated);
    EXPECT_EQ(CircleOf(zero).Shape({1.0, 0, 0, {0, 0, 100, 100}}).kind, DeviceShape::Kind::Pixel);
    EXPECT_DOUBLE_EQ(CharacteristicExtent(zero), 1.0);

    // A setting typed with a decimal comma means the number; other text stays an expression.
    zone.parameters[0].value = " 2,5 ";
    zone.parameters[1].value = "xr * 2";
    EXPECT_EQ(Recalculate(block).size(), 1u);
    EXPECT_DOUBLE_EQ(CircleOf(zone).r, 2.5);
    zone.parameters[0].value = "2,5,1";
    EXPECT_EQ(Recalculate(block).size(), 2u);
    EXPECT_FALSE(zone.evaluated);
}

TEST(RegionSteps, FiguresOfOneModeCombineInOrderAndOnlyWideningOnesSetTheExtent)
{
    const DeviceFrame frame{20.0, 100, 100, {0, 0, 200, 200}};
    // The square 0..2 combined with the circle of radius 1 around its corner (2, 2), probed at
    // the corner, beyond the square in the circle, and in the square away from the circle.
    const std::pair<Combine, std::array<bool, 3>> cases[] = {{Combine::And, {true, false, false}},
                                                             {Combine::Or, {true, true, true}},
                                                             {Combine::Xor, {false, true, true}},
                                                             {Combine::Not, {false, false, true}}};
    for (const auto& [combine, inside] : cases) {
        BlockType block = MakeBlock("B");
        Characteristic& characteristic = Add(block, "C");
        auto square = std::make_unique<PolypointF>();
        square->points = {{"0", "0"}, {"2", "0"}, {"2", "2"}, {"0", "2"}};
        square->on = true;
        square->combine = Combine::Not;  // the first figure's code is not used
        characteristic.figures.push_back(std::move(square));
        characteristic.figures.push_back(MakeCircle("0", "-1.5", "0.5", false));
        characteristic.figures.push_back(MakeCircle("2", "2", "1", true, combine));
        ASSERT_TRUE(Recalculate(block).empty());
        const std::vector<RegionStep> on = RegionSteps(characteristic, true, frame);
        ASSERT_EQ(on.size(), 2u);
        EXPECT_EQ(test::RegionCovers(on, {1.5, 1.5}, frame), inside[0]);
        EXPECT_EQ(test::RegionCovers(on, {2.5, 2.5}, frame), inside[1]);
        EXPECT_EQ(test::RegionCovers(on, {0.5, 0.5}, frame), inside[2]);
        EXPECT_EQ(RegionSteps(characteristic, false, frame).size(), 1u);
        // The corner circle reaches 3, beyond the square and the return circle (2), but widens
        // the region only when it is added.
        const bool widens = combine == Combine::Or || combine == Combine::Xor;
        EXPECT_DOUBLE_EQ(CharacteristicExtent(characteristic), widens ? 3.0 : 2.0);

        // Hidden characteristics do not count; copies are deep.
        BlockType copy = block;
        copy.characteristics[0].figures[1] = MakeCircle("0", "0", "7");
        Add(copy, "Скрытая").figures.push_back(MakeCircle("50", "0", "1"));
        copy.characteristics[1].visible = false;
        ASSERT_TRUE(Recalculate(copy).empty());
        EXPECT_DOUBLE_EQ(VisibleExtent(copy), 7.0);
        EXPECT_DOUBLE_EQ(VisibleExtent(block), widens ? 3.0 : 2.0);
    }
}

TEST(Choices, VisibilityAndSettingsSurviveTheSettingsFileAndOtherValuesStay)
{
    BlockType block = MakeBlock("Дистанционная защита");
    Add(block, "Ступень 1", {{"X1", "20", "20"}, {"R1", "10", "10"}});
    Add(block, "Ступень 2", {{"X2", "30", "30"}});
    const BlockType defaults = block;
    block.characteristics[0].parameters[1].value = "12,5";
    block.characteristics[1].visible = false;

    SettingsStore store;
    store.Section("Circle Chart").SetInt("SightsOnly", 0);
    store.Section("Circle Chart").SubSection("Selected Block").SubSection("Старая").SetInt("visible", 0);
    SaveChoices(store, ChartKind::Circle, block);
    const test::TempFolder folder;
    store.Save(folder / "record.set");
    SettingsStore reread;
    reread.Load(folder / "record.set");

    const SettingsSection& section = reread.Section("Circle Chart");
    EXPECT_EQ(section.GetInt("SightsOnly", 1), 0);
    const SettingsSection& choices = section.SubSections().at("Selected Block");
    EXPECT_EQ(choices.SubSections().count("Старая"), 0u);
    EXPECT_EQ(choices.SubSections().at("Ступень 2").GetString("visible"), "0");
    EXPECT_EQ(choices.SubSections().at("Ступень 1").SubSections().at("R1").GetString("value"), "12,5");
    EXPECT_EQ(SelectedBlockName(reread, ChartKind::Circle), "Дистанционная защита");
    EXPECT_EQ(SelectedBlockName(reread, ChartKind::Differential), "");

    BlockType restored = defaults;
    LoadChoices(reread, ChartKind::Circle, restored);
    EXPECT_EQ(restored.characteristics[0].parameters[1].value, "12,5");
    EXPECT_EQ(restored.characteristics[0].parameters[0].value, "20");
    EXPECT_TRUE(restored.characteristics[0].visible);
    EXPECT_FALSE(restored.characteristics[1].visible);
    // Nothing stored: every characteristic visible with its default settings.
    LoadChoices(SettingsStore{}, ChartKind::Circle, block);
    EXPECT_TRUE(block.characteristics[1].visible);
    EXPECT_EQ(block.characteristics[0].parameters[1].value, "10");
}

} // namespace
} // namespace zarva
