#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"

#include "support/RecordBuilder.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

namespace zarva::gui::test {

class SaveTest : public QObject {
    Q_OBJECT

private slots:
    void savedCopyReopensAsTheSameRecordAndKeepsAChange_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("extension");
        QTest::newRow("configuration") << Str(Write2013Record("source")) << ".cfg";
        QTest::newRow("single file") << Str(Write2013Record("source")) << ".cff";
        QTest::newRow("old-style record") << Str(WriteOscRecord(folder_, "old")) << ".cfg";
    }

    void savedCopyReopensAsTheSameRecordAndKeepsAChange()
    {
        QFETCH(QString, source);
        QFETCH(QString, extension);
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(source);
        QVERIFY(document != nullptr);
        document->SetModifiedFlag(true);
        // A folder per row: the dialog would ask before overwriting an earlier row's copy.
        const std::filesystem::path rowFolder = folder_ / QTest::currentDataTag();
        std::filesystem::create_directory(rowFolder);
        const QString copy = Str(rowFolder / "copy") + extension;
        QStringList filters;
        AnswerNextSaveDialog(copy, extension, &filters);
        QVERIFY(app.Frame().Router().Route(cmd::kFileSaveAs));
        QCOMPARE(filters.size(), 3);
        QVERIFY(filters.back().contains(QStringLiteral("*.zip")));
        QVERIFY(!document->IsModified());
        QCOMPARE(document->Path(), copy);
        QCOMPARE(app.Frame().windowTitle(), QStringLiteral("copy") + extension + QStringLiteral(" - Zarva"));
        QVERIFY(app.Frame().ActiveChild()->close());

        CZarvaDoc* original = app.App().OpenDocumentFile(source);
        CZarvaDoc* reopened = app.App().OpenDocumentFile(copy);
        QVERIFY(original != nullptr && reopened != nullptr && original != reopened);
        const Oscillogram& expected = original->Core().oscillogram;
        const Oscillogram& read = reopened->Core().oscillogram;
        QCOMPARE(read.stationText, expected.stationText);
        QCOMPARE(read.sampleTimes, expected.sampleTimes);
        QCOMPARE(read.channels.size(), expected.channels.size());
        for (std::size_t j = 0; j < expected.channels.size(); ++j)
            QCOMPARE(read.channels[j].samples.View().ToVector(), expected.channels[j].samples.View().ToVector());

        reopened->Core().oscillogram.channels[0].aliasName = reopened->Core().oscillogram.channels[0].name = "Bus";
        reopened->SetModifiedFlag(true);
        QVERIFY(app.Frame().Router().Route(cmd::kFileSave));
        QVERIFY(!reopened->IsModified());
        QVERIFY(app.Frame().ActiveChild()->close());
        reopened = app.App().OpenDocumentFile(copy);
        QVERIFY(reopened != nullptr);
        QCOMPARE(reopened->Core().oscillogram.channels[0].name, std::string("Bus"));
        QCOMPARE(reopened->Core().oscillogram.channels[0].samples.View().ToVector(),
                 expected.channels[0].samples.View().ToVector());
    }

    void singleFileRefusesAnOlderRevisionAndWritesNothing()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "old")));
        QVERIFY(document != nullptr);
        document->SetModifiedFlag(true);
        QString warning;
        AnswerNextMessageBox(QMessageBox::Ok, &warning);
        QVERIFY(!document->SaveDocument(Str(folder_ / "old.cff")));
        QCOMPARE(warning, Tr(187));
        QVERIFY(!std::filesystem::exists(folder_ / "old.cff"));
        QVERIFY(document->IsModified());
        QCOMPARE(document->Path(), Str(folder_ / "old.cfg"));
    }

    void typedArchiveNameSavesAPackedCopyAndTheRecordStaysItself()
    {
        AppUnderTest app;
        const auto cfg = WriteComtradeRecord(folder_, "packed");
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(cfg));
        QVERIFY(document != nullptr);
        document->SetModifiedFlag(true);
        QStringList filters;
        AnswerNextSaveDialog(Str(folder_ / "packed.zip"), QStringLiteral(".cfg"), &filters);
        QVERIFY(app.Frame().Router().Route(cmd::kFileSaveAs));
        QCOMPARE(filters.size(), 2);  // no single file for a record before 2013
        const std::string bytes = zarva::test::FileBytes(folder_ / "packed.zip");
        QVERIFY(bytes.starts_with("PK\x03\x04"));
        QVERIFY(bytes.find("packed.cfg") != std::string::npos);
        QVERIFY(bytes.find("packed.set") != std::string::npos);
        QCOMPARE(document->Path(), Str(cfg));
        QVERIFY(document->IsModified());
    }

    void dataFormChosenInTheDialogIsWritten()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "ascii")));
        QVERIFY(document != nullptr);
        const QString copy = Str(folder_ / "float.cfg");
        RepeatUntilDone([] {
            auto* forms = QApplication::activeModalWidget() != nullptr
                              ? QApplication::activeModalWidget()->findChild<QComboBox*>(QStringLiteral("dataFormat"))
                              : nullptr;
            if (forms != nullptr)
                forms->setCurrentText(QStringLiteral("FLOAT32"));
            return forms != nullptr;
        });
        AnswerNextSaveDialog(copy, QStringLiteral(".cfg"));
        QVERIFY(app.Frame().Router().Route(cmd::kFileSaveAs));
        QCOMPARE(document->Path(), copy);
        QVERIFY(zarva::test::FileBytes(folder_ / "float.cfg").find("FLOAT32") != std::string::npos);
        QCOMPARE(std::filesystem::file_size(folder_ / "float.dat"), std::uintmax_t{96 * (8 + 2 * 4 + 2)});
        QVERIFY(app.Frame().ActiveChild()->close());
        CZarvaDoc* reopened = app.App().OpenDocumentFile(copy);
        QVERIFY(reopened != nullptr);
        QCOMPARE(reopened->Core().oscillogram.fileType, std::string("FLOAT32"));
    }

private:
    // A record of revision 2013, so that it may be saved as a single file too.
    std::filesystem::path Write2013Record(const std::string& name)
    {
        zarva::test::RecordBuilder builder;
        builder.Station("Подстанция", "R7", "2013")
            .FileType("BINARY")
            .Analog({.id = "UA", .unit = "kV", .a = 0.01})
            .Discrete({.id = "TRIP"})
            .Rate(2400, 48)
            .Ramp(48);
        return builder.Write(folder_, name);
    }

    zarva::test::TempFolder folder_;
};

} // namespace zarva::gui::test

#include "SaveTest.moc"
ZARVA_GUI_TEST(SaveTest)
