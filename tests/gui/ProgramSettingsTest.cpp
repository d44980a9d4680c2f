#include "GuiTestSupport.h"

#include "gui/app/AppSettings.h"
#include "gui/app/ProgramSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

namespace zarva::gui::test {

class ProgramSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsThenEditedValuesSurviveARestart()
    {
        const zarva::test::TempFolder folder;
        const QString file = Str(folder / "Zarva.conf");
        {
            AppSettings settings(std::make_unique<QSettings>(file, QSettings::IniFormat));
            QCOMPARE(settings.print.leftMargin, 2000);
            QCOMPARE(settings.print.pageOrientation, 1);
            QVERIFY(settings.program.utcFor2013);
            QVERIFY(settings.program.dstFolder.isEmpty());

            ProgramSettingsDlg dialog(settings, nullptr);
            dialog.findChild<QLineEdit*>(QStringLiteral("DstFolder"))->setText(QStringLiteral(" /data/dst "));
            dialog.findChild<QCheckBox*>(QStringLiteral("UtcFor2013"))->setChecked(false);
            dialog.findChild<QDoubleSpinBox*>(QStringLiteral("Margin0"))->setValue(12.5);
            dialog.findChild<QDoubleSpinBox*>(QStringLiteral("Margin3"))->setValue(7.0);
            dialog.findChild<QComboBox*>(QStringLiteral("Orientation"))->setCurrentIndex(1);
            dialog.accept();
            settings.Save();
        }
        AppSettings reread(std::make_unique<QSettings>(file, QSettings::IniFormat));
        QCOMPARE(reread.program.dstFolder, QStringLiteral("/data/dst"));
        QVERIFY(!reread.program.utcFor2013);
        QCOMPARE(reread.print.leftMargin, 1250);
        QCOMPARE(reread.print.bottomMargin, 700);
        QCOMPARE(reread.print.rightMargin, 2000);
        QCOMPARE(reread.print.pageOrientation, 2);
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("Settings Parameters/UTC for Comtrade2013").toInt(), 0);
    }
};

} // namespace zarva::gui::test

#include "ProgramSettingsTest.moc"
ZARVA_GUI_TEST(ProgramSettingsTest)
