#include "DiagramTestRecord.h"
#include "GuiTestSupport.h"

#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramIds.h"
#include "gui/diagrams/VectorDiagramWnd.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace zarva::gui::test {

using namespace diagram_cmd;

const QColor kMagenta(230, 0, 230);
const QColor kSky(0, 150, 230);
const QColor kOrange(240, 120, 0);

// The last pixel from `from` along `step` that shows `colour`, and how far it is.
int ReachOf(const QImage& image, QPoint from, QPoint step, const QColor& colour)
{
    int reach = -1;
    for (int i = 0; image.rect().contains(from + i * step); ++i) {
        if (Near(image.pixelColor(from + i * step), colour))
            reach = i;
    }
    return reach;
}

// An arrow of `length` pixels ends in its last pixel or the two before it: the head narrows
// to its tip, so the very last pixels are mostly background.
bool InReach(int reach, int length)
{
    return reach >= length - 3 && reach <= length;
}

// Ua 57.3 V at 0° and Ub 12 V at 90° on a vector diagram, with Ia 0.3 A at 180° when asked;
// cursor 1 past the first period.
struct Voltages {
    explicit Voltages(bool withCurrent = false)
    {
        test.AddPhasor("Ua", "V", 57.3, 0, kMagenta);
        test.AddPhasor("Ub", "V", 12.0, 90, kSky);
        if (withCurrent)
            test.AddPhasor("Ia", "A", 0.3, 180, kOrange);
        test.PlaceCursorOne(100);
        window.SetDocument(&test.Document());
    }

    DiagramTestRecord test;
    VectorDiagramWnd window;
};

class VectorDiagramTest : public QObject {
    Q_OBJECT

private slots:
    void arrowEndsWhereItsMagnitudeSays()
    {
        Voltages andCurrent(true);
        VectorDiagramWnd& window = andCurrent.window;
        for (const QSize size : {QSize(300, 300), QSize(1400, 900)}) {
            const QImage image = window.Picture(size);
            const VectorLayout layout = window.LayoutAt(size);
            QVERIFY(layout.radius > 60);
            // 57.3 V against a 100 V scale; 0.3 A fills its own 0.5 A scale to 0.6.
            const int voltage = ArrowLength(layout.radius, 57.3, 100.0, false);
            QVERIFY(InReach(ReachOf(image, layout.centre, {1, 0}, kMagenta), voltage));
            const int current = ArrowLength(layout.radius, 0.3, 0.5, false);
            QVERIFY(InReach(ReachOf(image, layout.centre, {-1, 0}, kOrange), current));
            // A current's shaft is dashed, a voltage's solid.
            const auto gaps = [&image, &layout](QPoint step, int length, const QColor& colour) {
                int count = 0;
                for (int i = 3; i < length * 6 / 10; ++i)
                    count += Near(image.pixelColor(layout.centre + i * step), colour) ? 0 : 1;
                return count;
            };
            QCOMPARE(gaps({1, 0}, voltage, kMagenta), 0);
            QVERIFY(gaps({-1, 0}, current, kOrange) > current / 10);
        }
    }

    void togglesChangeThePictureAndAreWrittenToTheRecord()
    {
        Voltages two;
        DiagramTestRecord& test = two.test;
        VectorDiagramWnd& window = two.window;
        QSignalSpy changed(&test.Document(), &CZarvaDoc::recordChanged);
        QVERIFY(!test.Document().IsModified());
        QVERIFY(!window.LayoutAt(QSize(400, 400)).legendColumn);
        for (const int command : {kShowValues, kAngleInRadians, kOnlyDirection})
            QVERIFY(window.ExecuteCommand(command));
        // Values move the legend into a column while there is room; every arrow reaches the circle.
        const QImage image = window.Picture(QSize(400, 400));
        const VectorLayout layout = window.LayoutAt(QSize(400, 400));
        QVERIFY(layout.legendColumn);
        QVERIFY(layout.legend.top() > layout.scaleBox.bottom());
        QVERIFY(!window.LayoutAt(QSize(400, 110)).legendColumn);
        QVERIFY(InReach(ReachOf(image, layout.centre, {1, 0}, kMagenta), layout.radius));
        QVERIFY(InReach(ReachOf(image, layout.centre, {0, -1}, kSky), layout.radius));

        QVERIFY(window.ExecuteCommand(kAbsoluteAngle + 1 + 1));
        const SettingsSection& section = test.Document().Core().settings.Section("Vector Chart");
        QCOMPARE(section.GetString("ShowAnglesValue"), std::string("1"));
        QCOMPARE(section.GetString("AngleInRadians"), std::string("1"));
        QCOMPARE(section.GetString("OnlyDirection"), std::string("1"));
        QCOMPARE(section.GetString("AngleChannelName"), std::string("Ub"));
        QVERIFY(test.Document().IsModified());
        QCOMPARE(changed.count(), 4);
        // Buttons and menu entries share their state.
        QVERIFY(window.CommandStateOf(kShowValuesButton)->checked && window.CommandStateOf(kOnlyDirectionButton)->checked);
        QVERIFY(window.ExecuteCommand(kShowValuesButton) && window.ExecuteCommand(kOnlyDirectionButton));
        QVERIFY(!window.CommandStateOf(kShowValues)->checked && !window.CommandStateOf(kOnlyDirection)->checked);
    }

    void menusListTheChannelsTheyMayChange()
    {
        DiagramTestRecord test;
        test.AddPhasor("Ua", "V", 57.3, 0, kMagenta);
        test.AddPhasor("F", "Hz", 50.0, 0, kSky);
        test.AddPhasor("Ia", "A", 1.0, 0, kOrange, 0);
        VectorDiagramWnd window;
        window.SetDocument(&test.Document());
        // Reading the settings took the bit off the frequency channel.
        QVERIFY(!test.Record().channels[1].HasFlag(display::kOnVectorDiagram));

        QMenu channels;
        window.FillChannelsMenu(channels);
        QCOMPARE(MenuEntries(channels), (QStringList{Tr(diagram_text::kShowAll), Tr(diagram_text::kHideAll), "-", "Ua*", "Ia"}));
        QMenu angles;
        window.FillAngleMenu(angles);
        QCOMPARE(MenuEntries(angles).mid(1), QStringList{"Ua"});

        QVERIFY(window.ExecuteCommand(kChannelEntry + 2));
        QVERIFY(test.Record().channels[2].HasFlag(display::kOnVectorDiagram));
        QVERIFY(window.ExecuteCommand(kChannelEntry + 1));
        QVERIFY(!test.Record().channels[1].HasFlag(display::kOnVectorDiagram));
        QVERIFY(window.ExecuteCommand(kHideAll));
        QVERIFY(!test.Record().channels[0].HasFlag(display::kOnVectorDiagram));
        QVERIFY(window.ExecuteCommand(kShowAll));
        QVERIFY(!test.Record().channels[1].HasFlag(display::kOnVectorDiagram));
        QVERIFY(test.Record().channels[2].HasFlag(display::kOnVectorDiagram));

        // Commands of channels the record no longer has change nothing.
        test.Record().channels.pop_back();
        QVERIFY(window.ExecuteCommand(kChannelEntry + 2));
        QVERIFY(window.ExecuteCommand(kAbsoluteAngle + 1 + 2));
        QVERIFY(window.Settings().angleChannelName.empty());
        QVERIFY(!window.CommandStateOf(kChannelEntry + 2)->enabled);
    }

    void repaintsWhenCursorOneMoves()
    {
        DiagramTestRecord test;
        test.AddPhasor("Ua", "V", 57.3, 0, kMagenta);
        VectorDiagramWnd window;
        window.resize(300, 300);
        window.SetDocument(&test.Document());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintCounter counter;
        window.installEventFilter(&counter);
        test.PlaceCursorOne(120);
        QTRY_VERIFY(counter.paints > 0);
        counter.paints = 0;
        test.Document().NotifyRecordChanged();
        QTRY_VERIFY(counter.paints > 0);
    }

    void printsWithDarkerPensAndThePrinterFont()
    {
        QCOMPARE(DiagramWnd::PrinterFont(600, 96).pixelSize(), 65);
        QCOMPARE(DiagramWnd::PrinterFont(96, 96).pixelSize(), 10);
        DiagramTestRecord test;
        test.AddPhasor("Ua", "V", 57.3, 0, kMagenta);
        VectorDiagramWnd window;
        window.SetDocument(&test.Document());
        // Axes are long straight lines: many pixels of exactly their colour, where smoothed
        // text and edges give only a few.
        const auto count = [](const QImage& image, QRgb colour) { return PointsOf(image, image.rect(), colour).size(); };
        QImage paper(1200, 1200, QImage::Format_RGB32);
        paper.setDotsPerMeterX(11811);  // 300 dots per inch
        paper.setDotsPerMeterY(11811);
        for (const bool viaBitmap : {false, true}) {
            paper.fill(Qt::black);
            QPainter painter(&paper);
            window.Print(painter, paper.rect(), viaBitmap);
            painter.end();
            QVERIFY(count(paper, qRgb(50, 50, 50)) > 20 * count(paper, qRgb(150, 150, 150)));
            QCOMPARE(count(paper, qRgb(0, 0, 0)), std::size_t{0});
        }
        const QImage screen = window.Picture(QSize(400, 400));
        QVERIFY(count(screen, qRgb(150, 150, 150)) > 20 * count(screen, qRgb(50, 50, 50)));
    }

    void withoutARecordTheWindowIsWhite()
    {
        VectorDiagramWnd window;
        const QImage image = window.Picture(QSize(200, 200));
        QCOMPARE(image.pixelColor(100, 100), QColor(Qt::white));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
    }

private:
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    };
};

} // namespace zarva::gui::test

#include "VectorDiagramTest.moc"
ZARVA_GUI_TEST(VectorDiagramTest)
