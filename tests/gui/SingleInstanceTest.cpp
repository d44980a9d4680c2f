// Two processes of the built program: the second start hands its record to the first and
// ends, and the first opens it.
#include "GuiTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QUuid>

namespace zarva::gui::test {

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void secondStartHandsItsRecordToTheFirst()
    {
        const zarva::test::TempFolder folder;
        const QString instance = QStringLiteral("zarva-test-") + QUuid::createUuid().toString(QUuid::Id128);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Str(folder.Path()));
        environment.insert(QStringLiteral("ZARVA_INSTANCE_NAME"), instance);
        const QString record = Str(WriteComtradeRecord(folder));
        QProcess first;
        first.setProcessEnvironment(environment);
        first.start(QStringLiteral(ZARVA_EXECUTABLE), {});
        QVERIFY(first.waitForStarted());
        QVERIFY(QTest::qWaitFor([&instance] {
            QLocalSocket probe;
            probe.connectToServer(instance);
            return probe.waitForConnected(100);
        }, 15000));

        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(ZARVA_EXECUTABLE), {record});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(first.state() == QProcess::Running);

        // The first instance lists the record it opened among the recent ones.
        const QString store = QDir(Str(folder.Path())).filePath(QStringLiteral("Brannik/Zarva.conf"));
        QVERIFY(QTest::qWaitFor([&] {
            return QSettings(store, QSettings::IniFormat).value(QStringLiteral("Recent File List/File1")).toString() == record;
        }, 15000));

        first.kill();
        first.waitForFinished(5000);
    }
};

} // namespace zarva::gui::test

QTEST_GUILESS_MAIN(zarva::gui::test::SingleInstanceTest)
#include "SingleInstanceTest.moc"
