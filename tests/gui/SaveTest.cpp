#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"

#include "core/formats/CffFile.h"
#include "core/formats/ComtradeReader.h"
#include "support/RecordBuilder.h"

#include <QTest>

namespace zarva::gui::test {

class SaveTest : public QObject {
    Q_OBJECT

private slots:
    void saveAsEachKindReopensAsTheSameRecord_data();
    void saveAsEachKindReopensAsTheSameRecord();
    void singleFileRefusesAnOlderRevisionAndWritesNothing();
    void saveKeepsAChangeOfASingleFileRecord();
    void zipArchiveIsWritten();

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

void SaveTest::saveAsEachKindReopensAsTheSameRecord_data()
{
    QTest::addColumn<QString>("extension");
    QTest::newRow("configuration") << QStringLiteral(".cfg");
    QTest::newRow("single file") << QStringLiteral(".cff");
}

void SaveTest::saveAsEachKindReopensAsTheSameRecord()
{
    QFETCH(QString, extension);
    AppUnderTest app;
    const QString source = Str(Write2013Record("source"));
    CZarvaDoc* document = app.App().OpenDocumentFile(source);
    QVERIFY(document != nullptr);
    document->SetModifiedFlag(true);
    const QString copy = Str(folder_ / "copy") + extension;
    QStringList filters;
    AnswerNextSaveDialog(copy, extension, &filters);
    QVERIFY(app.Frame().Router().Route(cmd::kFileSaveAs));
    QCOMPARE(filters.size(), 2);
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
        QCOMPARE(read.channels[j].samples, expected.channels[j].samples);
}

void SaveTest::singleFileRefusesAnOlderRevisionAndWritesNothing()
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

void SaveTest::saveKeepsAChangeOfASingleFileRecord()
{
    AppUnderTest app;
    CZarvaDoc* source = app.App().OpenDocumentFile(Str(Write2013Record("single")));
    QVERIFY(source != nullptr);
    QVERIFY(source->SaveDocument(Str(folder_ / "single.cff")));
    QVERIFY(app.Frame().ActiveChild()->close());

    CZarvaDoc* document = app.App().OpenDocumentFile(Str(folder_ / "single.cff"));
    QVERIFY(document != nullptr);
    Channel& channel = document->Core().oscillogram.channels[0];
    channel.aliasName = channel.name = "Bus voltage";
    document->SetModifiedFlag(true);
    QVERIFY(app.Frame().Router().Route(cmd::kFileSave));
    QVERIFY(!document->IsModified());

    Document reread;
    ReadCff(reread, folder_ / "single.cff");
    QCOMPARE(reread.oscillogram.channels[0].name, std::string("Bus voltage"));
    QCOMPARE(reread.oscillogram.channels[0].samples, channel.samples);
}

void SaveTest::zipArchiveIsWritten()
{
    AppUnderTest app;
    CZarvaDoc* document = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "packed")));
    QVERIFY(document != nullptr);
    QVERIFY(document->SaveDocument(Str(folder_ / "packed.zip")));
    const std::string bytes = zarva::test::FileBytes(folder_ / "packed.zip");
    QVERIFY(bytes.starts_with("PK\x03\x04"));
    QVERIFY(bytes.find("packed.cfg") != std::string::npos);
    QVERIFY(bytes.find("packed.set") != std::string::npos);
}

} // namespace zarva::gui::test

#include "SaveTest.moc"

QObject* MakeSaveTest()
{
    return new zarva::gui::test::SaveTest;
}
