#include "core/charbase/BaseLoader.h"
#include "core/model/StringTable.h"
#include "core/storage/TextFile.h"

#include "RegionProbe.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

namespace zarva {
namespace {

using test::RegionCovers;
using test::TempFolder;

std::string Base(const std::string& blocks)
{
    return "<?xml version=\"1.0\"?>\n<bases>\n" + blocks + "</bases>\n";
}

std::string Block(const std::string& name, const std::string& characteristics)
{
    return "<block name=\"" + name + "\">" + characteristics + "</block>\n";
}

std::string Zone(const std::string& name, const std::string& dimension = "Ohm")
{
    return "<characteristic name=\"" + name + "\" dimension=\"" + dimension +
           "\"><parameter name=\"R\" default=\"1\"/><circle mode=\"on\" xcenter=\"0\" ycenter=\"0\" radius=\"r\"/>"
           "</characteristic>";
}

std::vector<std::string> Names(const std::vector<BlockType>& blocks)
{
    std::vector<std::string> names;
    for (const BlockType& block : blocks)
        names.push_back(block.name);
    return names;
}

TEST(LoadBases, BlocksOfEveryReadableFileFollowNoneAndABrokenFileIsNamed)
{
    TempFolder folder;
    const std::vector<std::filesystem::path> files = {
        folder.Write("a.zrb", Utf8ToUtf16Le("\xEF\xBB\xBF") +
                                  Utf8ToUtf16Le(Base(Block("Реле", Zone("Z1") + Zone("Диф", "DIF") + Zone("Z2", "")) +
                                                     Block("Только диф", Zone("Д", "DIF"))))),
        folder.Write("b.zrb", Base(Block("Реле", Zone("Z3")) + "<block name=\"x\"><oops></block>")),
        folder / "missing.zrb",
        folder.Write("c.zrb", Base(Block("Другое", Zone("Z4")) + Block("Реле", Zone("Z5")))),
    };

    const LoadedBases circle = LoadBases(files, ChartKind::Circle);
    EXPECT_EQ(Names(circle.blocks), (std::vector<std::string>{Text(3306), "Реле", "Другое", "Реле"}));
    ASSERT_EQ(circle.errors.size(), 2u);
    EXPECT_EQ(circle.errors[0], Text(469) + files[1].string() + "'");
    EXPECT_NE(circle.errors[1].find(files[2].string()), std::string::npos);

    // Only characteristics other than "DIF" are offered, numbered for their colours among themselves.
    const BlockType& relay = circle.blocks[1];
    ASSERT_EQ(relay.characteristics.size(), 2u);
    EXPECT_EQ(relay.characteristics[1].name, "Z2");
    EXPECT_EQ(relay.characteristics[1].colourIndex, 1);
    EXPECT_TRUE(relay.characteristics[1].visible);
    EXPECT_EQ(relay.characteristics[1].parameters[0].value, "1");
    // Two block types of one name are both offered; a stored name selects the first.
    EXPECT_EQ(FindBlock(circle.blocks, "Реле"), 1u);
    EXPECT_EQ(FindBlock(circle.blocks, "Нет такого"), 0u);
    EXPECT_EQ(FindBlock(circle.blocks, ""), 0u);

    const LoadedBases differential = LoadBases(files, ChartKind::Differential);
    EXPECT_EQ(Names(differential.blocks), (std::vector<std::string>{Text(3306), "Реле", "Только диф"}));
    EXPECT_EQ(differential.blocks[1].characteristics.at(0).name, "Диф");
    EXPECT_EQ(LoadBases({}, ChartKind::Circle).blocks.size(), 1u);
}

TEST(LoadBases, FigureAttributesAreReadAsWrittenAndAbsentOnesFailOnlyTheirCharacteristic)
{
    TempFolder folder;
    const auto file = folder.Write(
        "f.zrb",
        Base(Block("B", "<characteristic name=\"C\" dimension=\"Ohm\"><var name=\"H\" expression=\"2\"/>"
                        "<polygon mode=\"on\" type=\"XOR\"><edge k=\"0\" b=\"0\" type=\" 1\"/><e k=\"0\" b=\"h\" "
                        "type=\"2\"/><e k=\"0\" b=\"h\" type=\"1\"/><e k=\"0\" b=\"0\" type=\"2x\"/></polygon>"
                        "<polypoint mode=\"On\" closed=\"no\"><p x=\"1\" y=\"2\"/></polypoint>"
                        "<polypoint closed=\"off\" type=\"nand\"/>"
                        "<ellipse mode=\"on\" xcenter=\"1\" ycenter=\"2\" width=\"3\" height=\"4\" angle=\"90\"/>"
                        "<label text=\"ignored\"/></characteristic>"
                        "<characteristic name=\"D\"><circle mode=\"on\" xcenter=\"0\" ycenter=\"0\"/></characteristic>")));
    LoadedBases loaded = LoadBases({file}, ChartKind::Circle);
    ASSERT_TRUE(loaded.errors.empty());
    BlockType& block = loaded.blocks.at(1);
    const std::vector<std::string> errors = Recalculate(block);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("D: ", 0), 0u);

    const Characteristic& c = block.characteristics[0];
    ASSERT_EQ(c.figures.size(), 4u);
    const auto& polygon = dynamic_cast<const PolygonF&>(*c.figures[0]);
    EXPECT_TRUE(polygon.on && polygon.combine == Combine::Xor);
    EXPECT_DOUBLE_EQ(polygon.vertices[2].x, 2.0);
    EXPECT_DOUBLE_EQ(polygon.vertices[2].y, 2.0);
    const auto& closedPoints = dynamic_cast<const PolypointF&>(*c.figures[1]);
    EXPECT_TRUE(!closedPoints.on && closedPoints.closed);
    const auto& openPoints = dynamic_cast<const PolypointF&>(*c.figures[2]);
    EXPECT_TRUE(!openPoints.closed && openPoints.combine == Combine::Or);
    EXPECT_DOUBLE_EQ(dynamic_cast<const EllipseF&>(*c.figures[3]).rotation, -std::numbers::pi / 2);
}

TEST(BaseFiles, FoldersInTheirOrderEachSortedByName)
{
    TempFolder beside, data;
    for (const char* name : {"b.zrb", "A.ZRB", "c.txt", "a2.zrb"})
        beside.Write(name, "x");
    std::filesystem::create_directory(beside / "folder.zrb");
    data.Write("0.zrb", "x");
    const std::vector<std::filesystem::path> files =
        BaseFiles({beside.Path(), data / "absent", data.Path(), beside.Path() / ".", ""});
    const std::vector<std::filesystem::path> expected = {beside / "A.ZRB", beside / "a2.zrb", beside / "b.zrb",
                                                         data / "0.zrb"};
    EXPECT_EQ(files, expected);
}

// Plane points an engineer knows the answer for, at the shipped bases' default settings.
struct Probe {
    std::string characteristic;
    bool on;
    PointF point;
    bool inside;
};

void ExpectShippedBlock(const LoadedBases& loaded, const std::string& block, const DeviceFrame& frame,
                        const std::vector<Probe>& probes)
{
    SCOPED_TRACE(block);
    const std::size_t index = FindBlock(loaded.blocks, block);
    ASSERT_NE(index, 0u);
    BlockType evaluated = loaded.blocks[index];
    ASSERT_EQ(Recalculate(evaluated), std::vector<std::string>{});
    for (const Probe& probe : probes) {
        const auto& characteristics = evaluated.characteristics;
        const auto found = std::find_if(characteristics.begin(), characteristics.end(),
                                        [&](const Characteristic& c) { return c.name == probe.characteristic; });
        ASSERT_NE(found, characteristics.end()) << probe.characteristic;
        const PointF at = probe.point;
        EXPECT_EQ(RegionCovers(RegionSteps(*found, probe.on, frame), at, frame), probe.inside)
            << probe.characteristic << (probe.on ? " on " : " off ") << at.x << " " << at.y;
    }
}

TEST(ShippedBases, EveryBaseOpensAndItsZonesLieWhereTheSettingsPutThem)
{
    const std::vector<std::filesystem::path> files = BaseFiles({ZARVA_SHIPPED_BASES});
    ASSERT_EQ(files.size(), 4u);
    const LoadedBases circle = LoadBases(files, ChartKind::Circle);
    EXPECT_EQ(circle.errors, std::vector<std::string>{});
    EXPECT_EQ(circle.blocks.size(), 4u);
    // The demo record's fault at 24 km of the 60 km line (2.9 + j9.6 Ω primary, plus the arc)
    // trips every first zone; a heavy load of 57 Ω at 15° stays outside all of them.
    const PointF fault{4.0, 9.6};
    const PointF load{55.0, 15.0};
    const DeviceFrame ohms{10.0, 400, 400, {0, 0, 800, 800}};
    ExpectShippedBlock(circle, "Дистанционная защита, полигональные зоны", ohms,
                       {{"Ступень 1", true, fault, true},
                        {"Ступень 1", true, {4.0, 21.0}, false},
                        {"Ступень 1", false, {4.0, 20.8}, true},
                        {"Ступень 2", true, {4.0, 25.0}, true},
                        {"Ступень 3", true, {20.0, 50.0}, true},
                        {"Ступень 3", true, {50.0, 5.0}, false},
                        {"Ступень 3", true, {50.0, 40.0}, true},
                        {"Ступень 3", true, {-5.0, -5.0}, false},
                        {"Ступень 3", true, load, false}});
    ExpectShippedBlock(circle, "Дистанционная защита, круговые зоны", ohms,
                       {{"Ступень 1", true, fault, true},
                        {"Ступень 1", true, {-1.0, -1.0}, false},
                        {"Ступень 2", true, {9.0, 29.0}, true},
                        {"Ступень 3 со смещением", true, {-1.0, -5.0}, true},
                        {"Ступень 3 со смещением", true, load, false}});
    ExpectShippedBlock(circle, "Блокировка при качаниях, эллиптические зоны", ohms,
                       {{"Полоса обнаружения качаний", true, fault, false},
                        {"Полоса обнаружения качаний", true, {40.0, 10.0}, true},
                        {"Полоса обнаружения качаний", true, {-45.0, 25.0}, false},
                        {"Внутренний эллипс", true, fault, true}});

    const LoadedBases differential = LoadBases(files, ChartKind::Differential);
    EXPECT_EQ(differential.errors, std::vector<std::string>{});
    ASSERT_EQ(differential.blocks.size(), 2u);
    ExpectShippedBlock(differential, "Дифференциальная защита трансформатора", {100.0, 50, 750, {0, 0, 1000, 800}},
                       {{"Характеристика с торможением", true, {0.5, 0.4}, true},
                        {"Характеристика с торможением", true, {0.5, 0.2}, false},
                        {"Характеристика с торможением", true, {2.0, 0.55}, false},
                        {"Характеристика с торможением", true, {2.0, 0.65}, true},
                        {"Характеристика с торможением", false, {2.0, 0.55}, true},
                        {"Характеристика с торможением", true, {5.0, 2.0}, false},
                        {"Характеристика с торможением", true, {5.0, 2.4}, true},
                        {"Дифференциальная отсечка", true, {8.0, 6.5}, true},
                        {"Дифференциальная отсечка", true, {0.5, 5.5}, false}});
}

} // namespace
} // namespace zarva
