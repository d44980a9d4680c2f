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
};

} // namespace zarva::gui::test

#include "CommandLineTest.moc"

QObject* MakeCommandLineTest()
{
    return new zarva::gui::test::CommandLineTest;
}
