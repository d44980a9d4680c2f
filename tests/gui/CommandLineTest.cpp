#include "gui/app/CommandLine.h"

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

    void screenshotOptions()
    {
        const CommandLine line = ParseCommandLine({"--screenshot", "s.png", "--size", "800x600", "--lang", "EN", "r.cfg"});
        QCOMPARE(line.screenshot, QStringLiteral("s.png"));
        QCOMPARE(line.size, QSize(800, 600));
        QCOMPARE(line.language, QStringLiteral("en"));
        QCOMPARE(line.files, QStringList{"r.cfg"});
        for (const QStringList& wrong : {QStringList{"--size", "800"}, QStringList{"--size", "0x0"},
                                         QStringList{"--lang", "de"}, QStringList{"--unknown"}})
            QVERIFY2(!ParseCommandLine(wrong).error.isEmpty(), qPrintable(wrong.join(' ')));
    }

    void screenshotViewOptions()
    {
        const CommandLine line = ParseCommandLine({"--cursor", "v1=10,V3=20", "--select", "Ia,Ib", "--xscale", "0.5",
                                                   "--first-sample", "7", "--ruler", "3", "--readouts", "minmax,a1",
                                                   "r.cfg"});
        QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
        QCOMPARE(line.view.cursors, (std::vector<std::pair<int, std::int64_t>>{{0, 10}, {2, 20}}));
        QCOMPARE(line.view.select, (QStringList{"Ia", "Ib"}));
        QCOMPARE(line.view.xScale, 0.5);
        QCOMPARE(line.view.firstSample, std::int64_t{7});
        QCOMPARE(line.view.ruler, 3);
        QCOMPARE(line.view.readouts, std::uint32_t{0x10 | 0x20});
        QCOMPARE(line.files, QStringList{"r.cfg"});
        for (const QStringList& wrong : {QStringList{"--cursor", "v4=1"}, QStringList{"--cursor", "v1=-2"},
                                         QStringList{"--xscale", "0"}, QStringList{"--ruler", "5"},
                                         QStringList{"--readouts", "peak"}, QStringList{"--first-sample", "x"}}) {
            const QString error = ParseCommandLine(wrong).error;
            QVERIFY2(error.startsWith(QStringLiteral("Неправильное значение параметра ") + wrong[0]),
                     qPrintable(error));
        }
    }
};

} // namespace zarva::gui::test

#include "CommandLineTest.moc"

QObject* MakeCommandLineTest()
{
    return new zarva::gui::test::CommandLineTest;
}
