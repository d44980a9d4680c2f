#include "GuiTestSupport.h"

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/RibbonBar.h"
#include "gui/app/RibbonLayout.h"
#include "gui/app/StatusBarController.h"
#include "gui/app/Texts.h"

#include "core/model/StringTable.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

namespace zarva::gui::test {

class RibbonTest : public QObject {
    Q_OBJECT

private slots:
    void everyCommandHasItsButtonAndTexts()
    {
        AppUnderTest app;
        const RibbonBar& ribbon = app.Frame().Ribbon();
        QCOMPARE(ribbon.CategoryCount(), 2);
        for (const RibbonCategory& category : RibbonLayout()) {
            for (const RibbonPanel& panel : category.panels) {
                QVERIFY(!Tr(panel.titleId).isEmpty());
                for (const RibbonColumn& column : panel.columns) {
                    for (const RibbonButton& entry : column.buttons) {
                        if (entry.command == kStyleMenuButton)
                            continue;
                        const QToolButton* button = ribbon.ButtonOf(entry.command);
                        QVERIFY2(button != nullptr, qPrintable(QString::number(entry.command)));
                        QVERIFY2(!button->text().isEmpty(), qPrintable(QString::number(entry.command)));
                        QCOMPARE(button->toolTip(), CommandShortTip(entry.command));
                        QVERIFY(!button->icon().isNull());
                    }
                }
            }
        }
        QCOMPARE(ribbon.ButtonOf(cmd::kInvert)->text(), QStringLiteral("Инвертировать"));
        QCOMPARE(ribbon.ButtonOf(cmd::kDifferentialDiagram)->text(), QStringLiteral("Дифферен\nциальная"));
        QCOMPARE(ribbon.ButtonOf(cmd::kShowDiscrete)->text(), QStringLiteral("Показать дискретные каналы"));
    }

    void applicationMenuAndStatusBarTexts()
    {
        AppUnderTest app;
        const QMenu& menu = *app.Frame().Ribbon().ApplicationMenu();
        const QStringList expected{Tr(263), Tr(264), Tr(265), "-", Tr(154), "-", Tr(267), "-", Tr(391), "-",
                                   Tr(333), "-", Tr(390), "-", Tr(127), "-", CommandShortTip(cmd::kAbout), "-",
                                   Tr(271), Tr(272), "-", Tr(4767)};
        QCOMPARE(MenuEntries(menu), expected);
        QCOMPARE(MenuEntries(*menu.actions()[6]->menu()), (QStringList{Tr(344), Tr(269), Tr(266)}));
        // Shortcuts read as people write them.
        QCOMPARE(app.Frame().Actions().Action(cmd::kWindowPrevious)->shortcut().toString(QKeySequence::NativeText),
                 QStringLiteral("Ctrl+Shift+Tab"));

        QStatusBar& bar = *app.Frame().statusBar();
        QCOMPARE(bar.currentMessage(), Tr(4600));
        for (const char* name : {"EXT", "CAP", "NUM", "SCRL", "OVR", "REC"})
            QCOMPARE(app.Frame().Status().Indicator(QString::fromLatin1(name))->text(), QString::fromLatin1(name));
        app.Frame().Actions().Action(cmd::kFileOpen)->showStatusText(&app.Frame());
        QCOMPARE(bar.currentMessage(), CommandDescription(cmd::kFileOpen));
        bar.clearMessage();
        QCOMPARE(bar.currentMessage(), Tr(4600));
    }

    void panelsFitTheWindow_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("roomForShortLabels");
        QTest::newRow("narrow") << 1024 << false;
        QTest::newRow("usual") << 1280 << true;
        QTest::newRow("wide") << 1920 << true;
    }

    void panelsFitTheWindow()
    {
        QFETCH(int, width);
        QFETCH(bool, roomForShortLabels);
        AppUnderTest app;
        app.Frame().resize(width, 700);
        QCoreApplication::processEvents();
        const RibbonBar& ribbon = app.Frame().Ribbon();
        for (const QWidget* panel : ribbon.findChildren<QWidget*>(QStringLiteral("RibbonPanel"))) {
            if (!panel->isVisible())
                continue;
            const int right = panel->mapTo(&ribbon, QPoint(panel->width(), 0)).x();
            QVERIFY2(right <= ribbon.width(), qPrintable(QStringLiteral("%1 > %2").arg(right).arg(ribbon.width())));
        }
        const bool labelled = ribbon.ButtonOf(cmd::kCopyForMerge)->toolButtonStyle() == Qt::ToolButtonTextBesideIcon;
        QCOMPARE(labelled, roomForShortLabels);
    }

    void englishTableRenamesEverything()
    {
        QVERIFY(UseEnglishTable(ZARVA_SOURCE_STRINGS "/en.txt"));
        {
            AppUnderTest app;
            QCOMPARE(app.Frame().findChild<QToolButton*>(QStringLiteral("RibbonFileButton"))->text(), QStringLiteral("File"));
            QCOMPARE(app.Frame().statusBar()->currentMessage(), QStringLiteral("Ready"));
            QCOMPARE(app.Frame().Actions().Action(cmd::kFileOpen)->text(), QStringLiteral("&Open..."));
        }
        UseRussianTable();
    }
};

} // namespace zarva::gui::test

#include "RibbonTest.moc"
ZARVA_GUI_TEST(RibbonTest)
