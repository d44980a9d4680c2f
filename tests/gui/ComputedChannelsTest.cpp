#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"
#include "gui/formula/FormulaDlg.h"
#include "gui/view/CZarvaView.h"

#include "support/TempFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

namespace zarva::gui::test {
namespace {

void ChooseType(FormulaDlg& dialog, const QString& caption)
{
    auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("formulaTypes"));
    const QList<QTreeWidgetItem*> found = tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!found.isEmpty());
    tree->setCurrentItem(found.front());
}

void Fill(FormulaDlg& dialog, const QStringList& arguments, const QString& name)
{
    for (int i = 0; i < arguments.size(); ++i)
        dialog.findChild<QComboBox*>(QStringLiteral("argument%1").arg(i + 1))->setCurrentText(arguments[i]);
    dialog.findChild<QLineEdit*>(QStringLiteral("channelName"))->setText(name);
}

QString FormulaShown(FormulaDlg& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("formula"))->text();
}

} // namespace

class ComputedChannelsTest : public QObject {
    Q_OBJECT

private slots:
    void dialogBuildsTheFormulaAndRefusesBadNames()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_)));
        QVERIFY(document != nullptr);
        document->Core().oscillogram.channels[1].name = "I a";
        FormulaDlg dialog(document->Core().oscillogram, &app.Frame());
        ChooseType(dialog, QStringLiteral("Угол между сигналами"));
        Fill(dialog, {QStringLiteral("UA"), QStringLiteral("I a")}, QStringLiteral("1st"));
        QCOMPARE(FormulaShown(dialog), QStringLiteral("ABSig: (UA, \"I a\")"));
        QVERIFY(dialog.findChild<QLineEdit*>(QStringLiteral("formula"))->isReadOnly());

        QStringList refusals;
        AnswerMessageBoxes({QMessageBox::Ok, QMessageBox::Ok}, &refusals);
        dialog.accept();
        Fill(dialog, {}, QStringLiteral("UA"));
        dialog.accept();
        QCOMPARE(refusals, (QStringList{Tr(396), Tr(473)}));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        // A number typed as an argument goes in as it is; the free type takes any text.
        ChooseType(dialog, QStringLiteral("Действующее значение гармоники"));
        Fill(dialog, {QStringLiteral("UA"), QStringLiteral("3")}, QStringLiteral("U3"));
        QCOMPARE(FormulaShown(dialog), QStringLiteral("Fourie: (UA, 3)"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Entry(), (FormulaEntry{"U3", "Fourie: (UA, 3)"}));

        // Editing keeps the pair's own name allowed.
        FormulaDlg edit(document->Core().oscillogram, &app.Frame(), FormulaEntry{"UA", "IA * 2"});
        QCOMPARE(FormulaShown(edit), QStringLiteral("IA * 2"));
        edit.accept();
        QCOMPARE(edit.result(), int(QDialog::Accepted));
    }

    void channelsAreAddedSavedLoadedAndDeletedFromTheCommands()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_)));
        QVERIFY(document != nullptr);
        CZarvaView& view = app.Frame().ActiveChild()->View();
        const std::size_t rows = view.Rows().size();
        const Oscillogram& record = document->Core().oscillogram;

        // A formula that cannot be computed keeps the dialog open and adds nothing.
        QStringList errors;
        RepeatUntilDone([&errors] {
            auto* dialog = qobject_cast<FormulaDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return false;
            dialog->findChild<QLineEdit*>(QStringLiteral("formula"))->setText(QStringLiteral("rms:(IA, UA)"));
            Fill(*dialog, {}, QStringLiteral("Bad"));
            AnswerMessageBoxes({QMessageBox::Ok}, &errors);
            dialog->accept();
            ChooseType(*dialog, QStringLiteral("Среднеквадратичное значение"));
            Fill(*dialog, {QStringLiteral("IA")}, QStringLiteral("Irms"));
            dialog->accept();
            return true;
        });
        QVERIFY(app.Frame().Router().Route(cmd::kAddFormula));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.front().contains(Tr(1072)));
        QCOMPARE(record.calcChannels.Names(), std::vector<std::string>{"Irms"});
        const Channel& rms = record.channels[record.FindChannel("Irms")];
        QCOMPARE(rms.unit, std::string("A"));
        QVERIFY(std::abs(rms.samples[95] - 8.0 / std::sqrt(2.0)) < 0.02);  // 8 A peak, one period back
        QCOMPARE(view.Rows().size(), rows + 1);
        QVERIFY(document->IsModified());

        const QString frm = Str(folder_ / "set.frm");
        AnswerNextSaveDialog(frm, QStringLiteral(".frm"));
        QVERIFY(app.Frame().Router().Route(cmd::kSaveFormulas));
        QCOMPARE(zarva::test::FileBytes(folder_ / "set.frm"), std::string("Irms,Rms: (IA),\r\n"));

        AnswerMessageBoxes({QMessageBox::Yes});
        QVERIFY(app.Frame().Router().Route(cmd::kDeleteAllComputed));
        QVERIFY(record.calcChannels.Empty());
        QCOMPARE(view.Rows().size(), rows);
        QVERIFY(!app.Frame().Router().StateOf(cmd::kSaveFormulas).enabled);

        AnswerNextSaveDialog(frm, QStringLiteral(".frm"));
        QVERIFY(app.Frame().Router().Route(cmd::kLoadFormulas));
        QCOMPARE(record.calcChannels.Names(), std::vector<std::string>{"Irms"});

        document->Core().oscillogram.calcChannels.AddComputed("Double", "Irms * 2");
        // The channel menu of a computed channel's row deletes it.
        for (Channel& channel : document->Core().oscillogram.channels)
            channel.selected = false;
        app.Frame().resize(1200, 1000);
        QCoreApplication::processEvents();
        const auto row = std::find_if(view.Rows().begin(), view.Rows().end(),
                                      [&record](const Row& shown) { return record.channels[shown.Channel()].name == "Double"; });
        QVERIFY(row != view.Rows().end());
        QVERIFY(view.RowScreenTop(*row) + 5 < view.viewport()->height());
        QStringList entries;
        RepeatUntilDone([&entries] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr)
                return false;
            entries = MenuEntries(*menu);
            for (QAction* action : menu->actions()) {
                if (action->text() == CommandShortTip(cmd::kDeleteComputed))
                    action->trigger();
            }
            menu->close();
            return true;
        });
        AnswerMessageBoxes({QMessageBox::Yes});
        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, QPoint(10, view.RowScreenTop(*row) + 5));
        QTRY_COMPARE(record.calcChannels.Names(), std::vector<std::string>{"Irms"});
        QVERIFY(entries.contains(CommandShortTip(cmd::kDeleteComputed)));
        for (const int command : {cmd::kAddFormula, cmd::kLoadFormulas, cmd::kSaveFormulas, cmd::kDeleteAllComputed})
            QVERIFY(entries.contains(CommandShortTip(command)));
        QVERIFY(!app.Frame().Router().StateOf(cmd::kDeleteComputed).enabled);
    }

private:
    zarva::test::TempFolder folder_;
};

} // namespace zarva::gui::test

#include "ComputedChannelsTest.moc"
ZARVA_GUI_TEST(ComputedChannelsTest)
