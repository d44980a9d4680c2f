#include "GuiTestSupport.h"

#include "gui/app/CommandLine.h"
#include "gui/app/Texts.h"

#include <QTest>

namespace zarva::gui::test {

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void recordsAndSwitches()
    {
        const CommandLine line = ParseCommandLine({"a.cfg", "-dst", "d.dst", "-Find", "b.osc"});
        QCOMPARE(line.files, (QStringList{"a.cfg", "b.osc"}));
        QCOMPARE(line.dst, QStringLiteral("d.dst"));
        QVERIFY(line.find);
        QVERIFY(line.error.isEmpty());
        QVERIFY2(!ParseCommandLine({"-find"}).find, "the switch is written so");
    }

    void screenshotAndDiagramOptions()
    {
        const CommandLine line = ParseCommandLine(
            {"--screenshot", "s.png", "--size", "800x600", "--lang", "EN", "--cursor", "v1=10,V3=20", "--select", "Ia,Ib",
             "--xscale", "0.5", "--first-sample", "7", "--ruler", "3", "--readouts", "minmax,a1", "--pane",
             "vector,frequency", "--on", "vector:Ua,Ub;frequency:Ia", "--diagram", "frequency", "r.cfg"});
        QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
        QCOMPARE(line.screenshot, QStringLiteral("s.png"));
        QCOMPARE(line.size, QSize(800, 600));
        QCOMPARE(line.language, QStringLiteral("en"));
        QCOMPARE(line.view.cursors, (std::vector<std::pair<int, std::int64_t>>{{0, 10}, {2, 20}}));
        QCOMPARE(line.view.select, (QStringList{"Ia", "Ib"}));
        QCOMPARE(line.view.xScale, 0.5);
        QCOMPARE(line.view.firstSample, std::int64_t{7});
        QCOMPARE(line.view.ruler, 3);
        QCOMPARE(line.view.readouts, std::uint32_t{0x10 | 0x20});
        QCOMPARE(line.panes, (QStringList{"vector", "frequency"}));
        QCOMPARE(line.onDiagrams.size(), std::size_t{2});
        QCOMPARE(line.onDiagrams[0].second, (QStringList{"Ua", "Ub"}));
        QCOMPARE(line.onDiagrams[1].first, QStringLiteral("frequency"));
        QCOMPARE(line.diagram, QStringLiteral("frequency"));
        QCOMPARE(line.files, QStringList{"r.cfg"});

        const CommandLine plane = ParseCommandLine({"--diagram", "diff", "--block", "Дифф", "--pair", "Ibias,Idiff",
                                                    "--pair", "I2,D2", "--on", "circle:Za", "r.cfg"});
        QVERIFY2(plane.error.isEmpty(), qPrintable(plane.error));
        QCOMPARE(plane.block, QStringLiteral("Дифф"));
        QCOMPARE(plane.pairs.size(), std::size_t{2});
        QCOMPARE(plane.pairs[0], (std::pair{QStringLiteral("Ibias"), QStringLiteral("Idiff")}));
    }

    void wrongValuesAreNamed()
    {
        const QString wrongValue = QStringLiteral("Неправильное значение параметра ");
        const std::pair<QStringList, QString> cases[] = {
            {{"--size", "800"}, Tr(4645, "800")},
            {{"--size", "0x0"}, Tr(4645, "0x0")},
            {{"--lang", "de"}, Tr(4648, "--lang de")},
            {{"--unknown"}, Tr(4648, "--unknown")},
            {{"--cursor", "v4=1"}, wrongValue + "--cursor"},
            {{"--cursor", "v1=-2"}, wrongValue + "--cursor"},
            {{"--xscale", "0"}, wrongValue + "--xscale"},
            {{"--ruler", "5"}, wrongValue + "--ruler"},
            {{"--readouts", "peak"}, wrongValue + "--readouts"},
            {{"--first-sample", "x"}, wrongValue + "--first-sample"},
            {{"--pane", "polar"}, Tr(4648, "--pane polar")},
            {{"--pair", "Ra"}, Tr(4648, "--pair Ra")},
            {{"--pair", "Ra,"}, Tr(4648, "--pair Ra,")},
            {{"--on", "vector"}, Tr(4648, "--on vector")},
            {{"--on", "polar:Ua"}, Tr(4648, "--on polar:Ua")},
            {{"--diagram", "x"}, Tr(4648, "--diagram x")},
        };
        for (const auto& [arguments, message] : cases) {
            const QString error = ParseCommandLine(arguments).error;
            QVERIFY2(!error.isEmpty() && error.startsWith(message), qPrintable(arguments.join(' ') + ": " + error));
        }
    }
};

} // namespace zarva::gui::test

#include "CommandLineTest.moc"
ZARVA_GUI_TEST(CommandLineTest)
