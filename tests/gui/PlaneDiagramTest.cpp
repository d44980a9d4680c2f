#include "DiagramTestRecord.h"
#include "GuiTestSupport.h"

#include "gui/app/Drawing.h"
#include "gui/diagrams/BlockPropertyGrid.h"
#include "gui/diagrams/CircleDiagramWnd.h"
#include "gui/diagrams/DiagramIds.h"
#include "gui/diagrams/DiffDiagramWnd.h"

#include "core/storage/SettingsStore.h"
#include "support/Samples.h"

#include <QTest>

namespace zarva::gui::test {

const QColor kMagenta(230, 0, 230);
const QColor kSky(0, 150, 230);

// A circle of radius 5 Ω round the origin; for the differential diagram, the half-plane above
// a differential current of 1.
const char* const kBases = R"(<?xml version="1.0" encoding="utf-8"?>
<bases>
  <block name="Зона">
    <characteristic name="Круг" dimension="Ohm">
      <parameter name="R" default="5"/>
      <circle mode="on" xcenter="0" ycenter="0" radius="r"/>
    </characteristic>
  </block>
  <block name="Дифф">
    <characteristic name="Торможение" dimension="DIF">
      <parameter name="Iд" default="1"/>
      <polypoint mode="on" closed="off"><point x="0" y="iд"/><point x="1" y="iд"/></polypoint>
    </characteristic>
  </block>
</bases>
)";

// The first colour of the table, filled at alpha 0x32 over white, and its frame.
const QColor kZoneFill(255 + (0x19 - 255) * 50 / 255, 255 + (0xF5 - 255) * 50 / 255, 255 + (0xFD - 255) * 50 / 255);
const QColor kZoneFrame(0x01, 0x25, 0xFF);

// The pixels along a ray from `from` that show `colour`, as distances.
std::vector<int> Hits(const QImage& image, QPoint from, QPoint step, const QColor& colour, int tolerance = 30)
{
    std::vector<int> hits;
    for (int i = 0; image.rect().contains(from + i * step); ++i) {
        if (Near(image.pixelColor(from + i * step), colour, tolerance))
            hits.push_back(i);
    }
    return hits;
}

// The centre of the pixels of `area` that show `colour`.
QPointF Centre(const QImage& image, const QRect& area, const QColor& colour)
{
    QPointF sum;
    int count = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (Near(image.pixelColor(x, y), colour, 20)) {
                sum += QPointF(x, y);
                ++count;
            }
        }
    }
    return count > 0 ? sum / count : QPointF(-1, -1);
}

// Whether some pixel of the 5 × 5 square round `at` shows `colour`: grid lines cross a zone.
bool Shows(const QImage& image, QPoint at, const QColor& colour)
{
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            if (Near(image.pixelColor(at + QPoint(dx, dy)), colour, 3))
                return true;
        }
    }
    return false;
}

QStringList Names(const std::vector<BlockType>& blocks)
{
    QStringList names;
    for (const BlockType& block : blocks)
        names.append(QString::fromStdString(block.name));
    return names;
}

class PlaneDiagramTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { folder_.Write("test.zrb", kBases); }

    void impedanceInsideTheZoneIsDrawnWhereItsValueSays()
    {
        DiagramTestRecord test;
        Channel& z = test.AddPhasor("Z", "Ohm", 8.0, 0.0, kMagenta, display::kOnCircleDiagram);
        z.displayFlags |= display::kSuppliedPhasors;
        // From 8 Ω to 3 Ω along the R axis; cursor 1 at the 3 Ω.
        std::vector<Phasor> path(DiagramTestRecord::kSamples, Phasor(8.0, 0.0));
        std::fill(path.begin() + 50, path.end(), Phasor(3.0, 0.0));
        zarva::test::SupplyPhasors(z, std::move(path));
        test.PlaceCursorOne(100);
        CircleDiagramWnd window;
        BlockPropertyGrid* grid = window.CreateGrid(nullptr);
        window.SetBaseFolders({folder_.Path()});
        window.SetDocument(&test.Document());
        QCOMPARE(Names(window.Blocks()), (QStringList{QStringLiteral("Нет"), QStringLiteral("Зона")}));
        QVERIFY(window.SelectBlock("Зона"));

        const QSize size(420, 400);
        const PlaneLayout layout = window.LayoutAt(size);
        const QPoint origin = layout.origin;
        const QImage image = window.Picture(size);
        // Cursor 1's mark, above the trajectory along the axis, sits at 3/5 of the circle's
        // radius, its frame crossing the axis behind the origin where no trajectory runs.
        const QPointF mark = Centre(image, QRect(layout.plot.left(), origin.y() - 3, layout.plot.width(), 3), kMagenta);
        const std::vector<int> frame = Hits(image, origin, {-1, 0}, kZoneFrame);
        QVERIFY(!frame.empty());
        const double radius = frame.back();
        QVERIFY(radius > 60);
        QVERIFY(std::abs((mark.x() - origin.x()) / radius - 0.6) < 0.03);
        const QPoint inside = origin + QPoint(-radius * 0.4, -radius * 0.4);
        QVERIFY(Shows(image, inside, kZoneFill));
        QVERIFY(!Shows(image, origin + QPoint(-radius * 0.8, -radius * 0.8), kZoneFill));

        // Unticked in the grid: the zone is gone, and the choice is kept with the record.
        grid->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        QVERIFY(!Shows(window.Picture(size), inside, kZoneFill));
        const SettingsSection& chart = *test.Document().Core().settings.Find("Circle Chart");
        QCOMPARE(chart.GetString("SelectedBlock"), QStringLiteral("Зона").toStdString());
        QCOMPARE(chart.SubSections().at("Selected Block").SubSections().at("Круг").GetInt("visible", 1), 0);
        QVERIFY(test.Document().IsModified());
        delete grid;
    }

    void currentPairAboveTheBiasLineIsDrawnInItsRegionAndKept()
    {
        DiagramTestRecord test;
        test.AddSampled("Iт", [](double) { return 2.0; }, kSky, 0).Recompute();
        test.AddSampled("Iд", [](double) { return 3.0; }, Qt::red, 0).Recompute();
        test.PlaceCursorOne(50);
        DiffDiagramWnd window;
        window.SetBaseFolders({folder_.Path()});
        window.SetDocument(&test.Document());
        // Only the block with a differential characteristic is offered.
        QCOMPARE(Names(window.Blocks()), (QStringList{QStringLiteral("Нет"), QStringLiteral("Дифф")}));
        QVERIFY(window.SelectBlock("Дифф"));
        window.AddPair({"Iт", "Iд", true});

        const QSize size(400, 420);
        const PlaneLayout layout = window.LayoutAt(size);
        const QPoint origin = layout.origin;
        const QImage image = window.Picture(size);
        // The point (2, 3), then the bias line at 1 under it.
        const QPointF mark = Centre(image, layout.plot, kSky);
        const double x = mark.x() - origin.x();
        const double y = origin.y() - mark.y();
        QVERIFY(y > 60);
        QVERIFY(std::abs(x / y - 2.0 / 3.0) < 0.04);
        const std::vector<int> line = Hits(image, QPoint(origin.x() + x / 2, origin.y()), {0, -1}, kZoneFrame);
        QVERIFY(!line.empty());
        QVERIFY(std::abs(line.front() / y - 1.0 / 3.0) < 0.04);
        QVERIFY(Shows(image, QPoint(origin.x() + x / 2, origin.y() - y * 2 / 3), kZoneFill));
        QVERIFY(!Shows(image, QPoint(origin.x() + x / 2, origin.y() - y / 6), kZoneFill));

        // The pair is kept with the record and read back by the next window.
        DiffDiagramWnd reopened;
        reopened.SetBaseFolders({folder_.Path()});
        reopened.SetDocument(&test.Document());
        QCOMPARE(reopened.Pairs(), (std::vector<ChannelPair>{{"Iт", "Iд", true}}));
        QCOMPARE(reopened.Blocks()[reopened.SelectedBlock()].name, std::string("Дифф"));

        // "Показывать значения" twice gives the legend back and stores it.
        window.ExecuteCommand(diagram_cmd::kPlaneShowValues);
        QCOMPARE(window.Options().viewChannelType, 1);
        window.ExecuteCommand(diagram_cmd::kPlaneShowValues);
        QCOMPARE(test.Document().Core().settings.Find("Diff Chart")->GetInt("ViewChannelType", -1), 0);
    }

    void brokenBaseIsNamedAndTheOthersStillLoad()
    {
        const zarva::test::TempFolder folder;
        folder.Write("a-good.zrb", kBases);
        folder.Write("b-broken.zrb", "<bases><block name=\"Сломан\"><characteristic");
        DiagramTestRecord test;
        CircleDiagramWnd window;
        window.SetBaseFolders({folder.Path()});
        window.SetDocument(&test.Document());
        QCOMPARE(window.Errors().size(), 1);
        QVERIFY(window.Errors().front().contains(QStringLiteral("b-broken.zrb")));
        QCOMPARE(Names(window.Blocks()), (QStringList{QStringLiteral("Нет"), QStringLiteral("Зона")}));
    }

private:
    zarva::test::TempFolder folder_;
};

ZARVA_GUI_TEST(PlaneDiagramTest)

} // namespace zarva::gui::test

#include "PlaneDiagramTest.moc"
