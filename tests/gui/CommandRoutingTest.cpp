#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/RecordParametersPane.h"
#include "gui/app/RibbonBar.h"
#include "gui/view/CZarvaView.h"

#include <QAction>
#include <QTest>
#include <QToolButton>

namespace zarva::gui::test {

// A command number no part of the program uses.
constexpr int kProbe = 61000;

class CommandRoutingTest : public QObject {
    Q_OBJECT

private slots:
    void firstHandlerAlongTheChainWins()
    {
        AppUnderTest app;
        QVERIFY(app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_))) != nullptr);
        CChildFrame& child = *app.Frame().ActiveChild();
        std::vector<std::string> reached;
        const auto note = [&reached](const char* who) { return [&reached, who] { reached.emplace_back(who); }; };
        CommandTarget* chain[] = {&child.View(), &child.Document(), &child, &app.Frame(), &app.App()};
        const char* names[] = {"view", "document", "child", "main", "application"};
        // Command kProbe + i is handled by link i and every link after it.
        for (int first = 0; first < 5; ++first) {
            for (int link = first; link < 5; ++link)
                chain[link]->OnCommand(kProbe + first, note(names[link]));
        }
        const CommandRouter& router = app.Frame().Router();
        for (int first = 0; first < 5; ++first) {
            reached.clear();
            QVERIFY(router.Route(kProbe + first));
            QCOMPARE(reached, std::vector<std::string>{names[first]});
        }
        QVERIFY(!router.Route(kProbe + 99));
    }

    void statesFollowTheOpenDocumentsAndShortcutsRoute()
    {
        AppUnderTest app;
        // Those of `commands` whose state, or whose action, is not `enabled`.
        const auto differing = [&app](bool enabled, std::initializer_list<int> commands) {
            for (const int command : commands)
                app.Frame().Actions().Action(command);
            app.Frame().RefreshCommandStates();
            QList<int> wrong;
            for (const int command : commands) {
                if (app.Frame().Router().StateOf(command).enabled != enabled ||
                    app.Frame().Actions().Action(command)->isEnabled() != enabled)
                    wrong.append(command);
            }
            return wrong;
        };
        QCOMPARE(differing(true, {cmd::kFileOpen, cmd::kProgramSettings, cmd::kAbout, cmd::kFileFinder}), QList<int>{});
        QCOMPARE(differing(false, {cmd::kFileClose, cmd::kWindowCascade}), QList<int>{});

        QVERIFY(app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "a"))) != nullptr);
        QCOMPARE(differing(true, {cmd::kFileClose, cmd::kFileSave, cmd::kFileSaveAs, cmd::kFaultLocationParameters,
                                  cmd::kFaultLocationAnalysis, cmd::kAddFormula, cmd::kChannels, cmd::kLoadSettings,
                                  cmd::kQuickAnalysis, cmd::kFileParameters, cmd::kCircleDiagram}),
                 QList<int>{});
        // Nobody handles these yet: they stay disabled with a record open.
        QCOMPARE(differing(false, {cmd::kWindowNext, cmd::kDeleteAllComputed}),
                 QList<int>{});
        QVERIFY(app.App().OpenDocumentFile(Str(WriteOscRecord(folder_, "b"))) != nullptr);
        QCOMPARE(differing(true, {cmd::kWindowNext}), QList<int>{});
        const CommandState tabs = app.Frame().Router().StateOf(cmd::kWindowTabs);
        QVERIFY(tabs.checkable && tabs.checked);

        app.Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&app.Frame()));
        QTest::keyClick(&app.Frame(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(app.WindowCount(), std::size_t{1});
    }

    void ribbonButtonShowsAndRoutesItsCommand()
    {
        AppUnderTest app;
        QVERIFY(app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_))) != nullptr);
        CZarvaView& view = app.Frame().ActiveChild()->View();
        bool instant = false;
        int clicks = 0;
        view.OnCommand(cmd::kCurveInstant, [&] { ++clicks; instant = !instant; },
                       [&] { return CommandState{true, true, instant}; });
        app.Frame().RefreshCommandStates();
        QToolButton* button = app.Frame().Ribbon().ButtonOf(cmd::kCurveInstant);
        QVERIFY(button != nullptr);
        QVERIFY(button->isEnabled());
        QVERIFY(!button->isChecked());

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        QTRY_VERIFY(button->isChecked());
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(!button->isChecked());
        QCOMPARE(clicks, 2);
    }

    void parameterBarShowsTheActiveRecord()
    {
        AppUnderTest app;
        const CommandRouter& router = app.Frame().Router();
        RecordParametersPane& pane = app.Frame().Parameters();
        QVERIFY(!router.StateOf(cmd::kParameterBar).checked);
        QVERIFY(router.Route(cmd::kParameterBar));
        QVERIFY(pane.isVisible());
        QVERIFY(router.StateOf(cmd::kParameterBar).checked);

        QVERIFY(app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "first"))) != nullptr);
        QCOMPARE(pane.Value(3287), QStringLiteral("first.cfg"));
        QCOMPARE(pane.Value(3478), QStringLiteral("Подстанция"));
        QCOMPARE(pane.Value(4666), QStringLiteral("96"));
        QVERIFY(app.App().OpenDocumentFile(Str(WriteOscRecord(folder_, "second"))) != nullptr);
        QCOMPARE(pane.Value(3287), QStringLiteral("second.osc"));
        QVERIFY(router.Route(cmd::kFileClose));
        QTRY_COMPARE(pane.Value(3287), QStringLiteral("first.cfg"));

        QVERIFY(router.Route(cmd::kParameterBar));
        QVERIFY(!pane.isVisible());
    }

private:
    zarva::test::TempFolder folder_;
};

} // namespace zarva::gui::test

#include "CommandRoutingTest.moc"
ZARVA_GUI_TEST(CommandRoutingTest)
