#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/RecentFiles.h"
#include "gui/app/Texts.h"

#include "support/FakeConverter.h"
#include "support/Json.h"

#include "core/document/FileDispatch.h"

#include <QMimeData>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

namespace zarva::gui::test {

// Sees the loading dialog being shown, however quickly the load then closes it.
struct ProgressShownWatch : QObject {
    bool shown = false;
    bool eventFilter(QObject* object, QEvent* event) override
    {
        shown = shown || (event->type() == QEvent::Show && qobject_cast<QProgressDialog*>(object) != nullptr);
        return false;
    }
};

class DocumentLifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void opensEachKindOfRecordInItsOwnWindow()
    {
        AppUnderTest app;
        const auto cfg = WriteComtradeRecord(folder_);
        CZarvaDoc* comtrade = app.App().OpenDocumentFile(Str(cfg));
        QVERIFY(comtrade != nullptr);
        QCOMPARE(comtrade->Title(), QStringLiteral("fault.cfg"));
        const Oscillogram& record = comtrade->Core().oscillogram;
        QCOMPARE(record.channels.size(), std::size_t{3});
        QVERIFY(record.channels[0].selected);
        QVERIFY(!record.channels[1].selected);
        QCOMPARE(app.App().Recent().Paths().value(0), Str(cfg));

        QCOMPARE(app.App().OpenDocumentFile(Str(folder_ / "fault.DAT")), comtrade);
        QCOMPARE(app.WindowCount(), std::size_t{1});

        CZarvaDoc* osc = app.App().OpenDocumentFile(Str(WriteOscRecord(folder_, "old")));
        QVERIFY(osc != nullptr);
        QCOMPARE(osc->Core().oscillogram.stationText, std::string("OSC Осциллограф. Версия 2.5"));
        QCOMPARE(app.WindowCount(), std::size_t{2});
        QCOMPARE(app.Frame().windowTitle(), QStringLiteral("old.osc - Zarva"));
        QVERIFY(TakeErrorBox(app.Frame(), 100).isEmpty());
    }

    void convertedRecordKeepsItsSourceAndWarnsBeforeChangesAreLost()
    {
        std::vector<std::string> calls;
        AppEnvironment environment;
        environment.converters = FakeConverters(&calls);
        AppUnderTest app(std::move(environment));
        const auto sto = folder_.Write("relay.sto", zarva::test::FakeStoText(3, 14));
        folder_.Write("relay.dst", zarva::test::FakeDstText(3, 14));

        CZarvaDoc* document = app.App().OpenDocumentFile(Str(sto));
        QVERIFY(document != nullptr);
        QCOMPARE(document->Path(), Str(sto));
        QCOMPARE(document->Core().oscillogram.sourcePath, sto.string());
        QCOMPARE(document->Core().oscillogram.stationText, std::string("Converted relay"));
        QVERIFY(document->Core().tempFolder.empty());
        const auto into = std::find_if(calls.begin(), calls.end(), [](const std::string& call) { return call.rfind("into ", 0) == 0; });
        QVERIFY(into != calls.end());
        QVERIFY(!std::filesystem::exists(into->substr(5)));

        CChildFrame* window = app.Frame().ActiveChild();
        document->SetModifiedFlag(true);
        QString warning;
        AnswerNextMessageBox(QMessageBox::Cancel, &warning);
        QVERIFY(!window->close());
        QCOMPARE(warning, Tr(190));
        QCOMPARE(app.WindowCount(), std::size_t{1});

        AnswerNextMessageBox(QMessageBox::Ok);
        QVERIFY(window->close());
        QCOMPARE(app.WindowCount(), std::size_t{0});

        // Saved as a configuration, the record is that file: closing it asks the usual question.
        document = app.App().OpenDocumentFile(Str(sto));
        QVERIFY(document != nullptr);
        AnswerNextSaveDialog(Str(folder_ / "relay.cfg"), QStringLiteral(".cfg"));
        QVERIFY(app.Frame().Router().Route(cmd::kFileSaveAs));
        QCOMPARE(document->Path(), Str(folder_ / "relay.cfg"));
        document->SetModifiedFlag(true);
        QString question;
        AnswerNextMessageBox(QMessageBox::No, &question);
        QVERIFY(app.Frame().ActiveChild()->close());
        QCOMPARE(question, Tr(4603, QStringLiteral("relay.cfg")));
    }

    // Records from other systems come as "4.CFG" and "4.DAT"; the large one loads under the
    // progress dialog.
    void upperCaseRecordsOfTheCorpusOpenByEitherFile()
    {
        const std::filesystem::path corpus = zarva::test::CorpusFolder();
        if (corpus.empty())
            QSKIP("the shared corpus is absent");
        AppUnderTest app;
        int opened = 0;
        for (const auto& entry : std::filesystem::directory_iterator(corpus / "expected")) {
            const zarva::test::Json expected = zarva::test::Json::Parse(zarva::test::FileBytes(entry.path()));
            const std::filesystem::path cfg = corpus / expected["record"].String();
            if (cfg.extension() != ".CFG")
                continue;
            for (const std::filesystem::path& given : {cfg, std::filesystem::path(cfg).replace_extension(".DAT")}) {
                ProgressShownWatch watch;
                qApp->installEventFilter(&watch);
                CZarvaDoc* document = app.App().OpenDocumentFile(Str(given));
                qApp->removeEventFilter(&watch);
                const bool progressShown = watch.shown;
                QVERIFY2(document != nullptr, qPrintable(Str(given)));
                QCOMPARE(document->Path(), Str(cfg));
                QCOMPARE(double(document->Core().oscillogram.analogCount), expected["analog_count"].Number());
                QCOMPARE(double(document->Core().oscillogram.discreteCount), expected["status_count"].Number());
                QCOMPARE(progressShown, LoadShowsProgress(cfg.string()));
                QVERIFY(app.Frame().ActiveChild()->close());
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                ++opened;
            }
        }
        QVERIFY(opened >= 8);
        QVERIFY(LoadShowsProgress((corpus / "moderras-comtradetool/PPR/S2/P1/"
                                             "SS_S2P1PPRA1_40046_20231006_075240_120_Child0.CFG").string()));
    }

    void failedOpenShowsTheReasonAndLeavesNoWindow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        const auto broken = folder_.Write("broken.cfg", "station\r\nnot a channel count\r\n");
        folder_.Write("broken.dat", "1,0,1\r\n");
        QTest::newRow("missing") << Str(folder_ / "absent.cfg") << Tr(124, Str(folder_ / "absent.cfg"));
        QTest::newRow("broken configuration") << Str(broken) << Tr(330);
        const auto badScale = folder_.Write("scale.cfg", "S,R,1999\r\n1,1A,0D\r\n1,U,,,V,abc,0,0,-9,9\r\n");
        QTest::newRow("a field that is no number")
            << Str(badScale) << Tr(330) + QStringLiteral(" - ") + Str(badScale) + QStringLiteral(", строка 3, поле 6: «abc» не число");
        QTest::newRow("single file without data") << Str(folder_.Write("new.cff", "--- file type: CFG ---\r\n")) << Tr(330);
        QTest::newRow("unknown kind") << Str(folder_.Write("notes.txt", "text")) << Tr(4607);
        QTest::newRow("no converter") << Str(folder_.Write("relay.sto", "STO 1 1\n")) << Tr(4605);
    }

    void failedOpenShowsTheReasonAndLeavesNoWindow()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        AppEnvironment environment;
        environment.converters = [] { return ConverterFactory(); };
        AppUnderTest app(std::move(environment));
        QVERIFY(app.App().OpenDocumentFile(file) == nullptr);
        QCOMPARE(app.WindowCount(), std::size_t{0});
        const QString shown = TakeErrorBox(app.Frame());
        QVERIFY2(shown.startsWith(reason), qPrintable(shown));
        QVERIFY(app.App().Recent().Paths().isEmpty());
    }

    void cancelDuringASlowLoadFailsTheOpenQuietly()
    {
        std::atomic<bool> sawCancel{false};
        AppEnvironment environment;
        environment.readers.comtrade = [&](Document& document, const std::filesystem::path&, const ReadOptions&) {
            document.progress.SetTotal(1000);
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!document.progress.CancelRequested() && std::chrono::steady_clock::now() < giveUp) {
                document.progress.SetPosition(std::min<std::uint64_t>(document.progress.Position() + 1, 999));
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            sawCancel = document.progress.CancelRequested();
        };
        AppUnderTest app(std::move(environment));
        const auto cfg = WriteComtradeRecord(folder_, "large");
        std::ofstream(folder_ / "large.dat", std::ios::binary) << std::string(200001, '0');

        QString title;
        RepeatUntilDone([&title] {
            auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                title = dialog->windowTitle();
                dialog->cancel();
            }
            return dialog != nullptr;
        });
        QVERIFY(app.App().OpenDocumentFile(Str(cfg)) == nullptr);
        QCOMPARE(title, Tr(4601));
        QVERIFY(sawCancel);
        QCOMPARE(app.WindowCount(), std::size_t{0});
        QVERIFY(TakeErrorBox(app.Frame(), 200).isEmpty());
    }

    void changedRecordAsksToSaveBeforeClosing()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_)));
        QVERIFY(document != nullptr);
        CChildFrame* window = app.Frame().ActiveChild();
        QVERIFY2(window->close(), "an unchanged record closes at once");

        document = app.App().OpenDocumentFile(Str(folder_ / "fault.cfg"));
        document->SetModifiedFlag(true);
        QCOMPARE(app.Frame().ActiveChild()->windowTitle(), QStringLiteral("fault.cfg*"));
        QString question;
        AnswerNextMessageBox(QMessageBox::No, &question);
        QVERIFY(app.Frame().ActiveChild()->close());
        QCOMPARE(question, Tr(4603, QStringLiteral("fault.cfg")));
    }

    void droppedFilesOpen()
    {
        AppUnderTest app;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(Str(WriteComtradeRecord(folder_, "a"))),
                      QUrl::fromLocalFile(Str(WriteOscRecord(folder_, "b")))});
        data.setText(QStringLiteral("not a file"));
        app.Frame().OpenDropped(data);
        QTRY_COMPARE(app.WindowCount(), std::size_t{2});
    }

    void cursorChangesReachFollowersOnce()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "cursors")));
        QVERIFY(document != nullptr);
        QSignalSpy moved(document, &CZarvaDoc::cursorsChanged);
        CursorSet cursors = document->Core().cursors;
        cursors.PlaceVertical(0, 3, document->Core().oscillogram.SampleCount());
        document->SetCursors(cursors);
        document->SetCursors(cursors);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(document->Core().cursors.Vertical(0).sample, std::int64_t{3});
    }

private:
    zarva::test::TempFolder folder_;
};

} // namespace zarva::gui::test

#include "DocumentLifecycleTest.moc"
ZARVA_GUI_TEST(DocumentLifecycleTest)
