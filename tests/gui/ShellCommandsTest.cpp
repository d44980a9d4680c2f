#include "GuiTestSupport.h"

#include "gui/app/AboutBox.h"
#include "gui/app/CaptionBar.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/ChannelListDlg.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/QtTranslations.h"
#include "gui/app/RibbonBar.h"
#include "gui/app/Texts.h"
#include "gui/view/CZarvaView.h"

#include "support/RecordBuilder.h"

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

namespace zarva::gui::test {
namespace {

const Channel& Named(const CZarvaDoc& document, const std::string& name)
{
    const Oscillogram& record = document.Core().oscillogram;
    return record.channels[record.FindChannel(name)];
}

} // namespace

class ShellCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void channelListShowsAndHidesAnyChannelAndTheRecordKeepsIt()
    {
        AppUnderTest app;
        const auto cfg = WriteComtradeRecord(folder_, "list");
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(cfg));
        QVERIFY(document != nullptr);
        RepeatUntilDone([] {
            auto* dialog = qobject_cast<ChannelListDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return false;
            dialog->findChild<QPushButton*>(QStringLiteral("hideAll"))->click();
            auto* tree = dialog->findChild<QTreeWidget*>();
            tree->findItems(QStringLiteral("IA"), Qt::MatchExactly | Qt::MatchRecursive).front()->setCheckState(0, Qt::Checked);
            dialog->accept();
            return true;
        });
        QVERIFY(app.Frame().Router().Route(cmd::kChannels));
        QCOMPARE(app.Frame().ActiveChild()->View().Rows().size(), std::size_t{1});
        QVERIFY(document->IsModified());

        QVERIFY(document->SaveDocument(Str(cfg)));
        QVERIFY(app.Frame().ActiveChild()->close());
        document = app.App().OpenDocumentFile(Str(cfg));
        QCOMPARE(ChannelListDlg(document->Core().oscillogram, &app.Frame()).Visibility(),
                 (std::vector<bool>{false, true, false}));
    }

    void settingsOfAnotherRecordApplyByChannelAndTheRestIsListed()
    {
        AppUnderTest app;
        CZarvaDoc* source = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "source")));
        QVERIFY(source != nullptr);
        Channel& bus = source->Core().oscillogram.channels[0];
        bus.aliasName = bus.name = "Bus";
        source->Core().oscillogram.calcChannels.AddComputed("Double", "Bus * 2");
        QVERIFY(source->SaveDocument(Str(folder_ / "source.cfg")));

        zarva::test::RecordBuilder builder;
        builder.Station("Other").Analog({.id = "UA", .unit = "kV", .a = 0.01}).Analog({.id = "IB", .unit = "A"})
            .Rate(2400, 4).Ramp(4);
        CZarvaDoc* target = app.App().OpenDocumentFile(Str(builder.Write(folder_, "target")));
        QVERIFY(target != nullptr);
        AnswerNextSaveDialog(Str(folder_ / "source.set"), QStringLiteral(".set"));
        QStringList report;
        AnswerMessageBoxes({QMessageBox::Ok}, &report);
        QVERIFY(app.Frame().Router().Route(cmd::kLoadSettings));

        QCOMPARE(Named(*target, "Bus").channelId, std::string("UA"));
        QCOMPARE(Named(*target, "Double").samples[1], 2 * Named(*target, "Bus").samples[1]);
        QVERIFY(target->IsModified());
        QCOMPARE(report.size(), 1);
        QVERIFY(report.front().contains(Tr(4764, QStringLiteral("IA, TRIP"))));
        QVERIFY(report.front().contains(Tr(4765, QStringLiteral("IB"))));
    }

    void fileMenuLeadsToAboutAndExit()
    {
        const QString about = AboutText();
        for (const QString& part : {QStringLiteral(ZARVA_VERSION_TEXT), QStringLiteral("Qt ") + qVersion(),
                                    QStringLiteral("ICU "), QStringLiteral("libzip "), QStringLiteral("LGPL")})
            QVERIFY2(about.contains(part), qPrintable(part));

        AppUnderTest app;
        QVERIFY(app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "exit"))) != nullptr);
        app.Frame().ActiveChild()->Document().SetModifiedFlag(true);
        AnswerNextMessageBox(QMessageBox::Cancel);
        QVERIFY(app.Frame().Router().Route(cmd::kExit));
        QVERIFY(app.Frame().isVisible());
        app.Frame().ActiveChild()->Document().SetModifiedFlag(false);
        QVERIFY(app.Frame().Router().Route(cmd::kExit));
        QVERIFY(!app.Frame().isVisible());
    }

    void recentListAndOpenFolderFollowTheFirstRecordOpened()
    {
        AppUnderTest app;
        QMenu& recent = *app.Frame().Ribbon().RecentMenu();
        QVERIFY(!recent.menuAction()->isEnabled());
        const auto cfg = WriteComtradeRecord(folder_, "recent");
        QVERIFY(app.App().OpenDocumentFile(Str(cfg)) != nullptr);
        QVERIFY(recent.menuAction()->isEnabled());
        QCOMPARE(MenuEntries(recent), QStringList{QStringLiteral("&1 recent.cfg")});

        QString startFolder;
        RepeatUntilDone([&startFolder] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                startFolder = dialog->directory().absolutePath();
                dialog->reject();
            }
            return dialog != nullptr;
        });
        QVERIFY(app.Frame().Router().Route(cmd::kFileOpen));
        QCOMPARE(startFolder, Str(folder_.Path()));
    }

    void readerWarningsGoAwayWithTheirRecord()
    {
        zarva::test::RecordBuilder builder;
        builder.Station("S").Analog({.id = "UA", .unit = "V"}).Rate(1000, 3).Ramp(4);
        AppUnderTest app;
        QVERIFY(app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "clean"))) != nullptr);
        QVERIFY(app.App().OpenDocumentFile(Str(builder.Write(folder_, "warned"))) != nullptr);
        const CaptionBar& caption = app.Frame().Caption();
        QVERIFY(caption.isVisibleTo(&app.Frame()));
        QVERIFY(app.Frame().ActiveChild()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!caption.isVisibleTo(&app.Frame()));
    }

    void standardDialogTextsAreRussianWithTheRussianInterface()
    {
        QTranslator* translator = InstallQtTranslations();
        QVERIFY2(translator != nullptr, "Qt's translations are installed with the program's dependencies");
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
        const QString yes = box.button(QMessageBox::Yes)->text();
        QCoreApplication::removeTranslator(translator);
        delete translator;
        QCOMPARE(yes, QStringLiteral("&Да"));
    }

private:
    zarva::test::TempFolder folder_;
};

} // namespace zarva::gui::test

#include "ShellCommandsTest.moc"
ZARVA_GUI_TEST(ShellCommandsTest)
