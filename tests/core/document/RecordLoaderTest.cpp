#include "core/document/RecordLoader.h"

#include "core/document/Document.h"
#include "core/document/RecordSaver.h"
#include "core/document/TemporaryFolder.h"
#include "core/model/ZarvaException.h"
#include "support/RecordBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace zarva {
namespace {

// Readers that note which of them ran, and fail when told to.
struct ReaderLog {
    std::string ran;
    bool fail = false;

    RecordReader Reader(const std::string& name)
    {
        return [this, name](Document&, const std::filesystem::path&, const ReadOptions&) {
            ran = name;
            if (fail)
                throw CZarvaException(messages::kBadFileFormat, name);
        };
    }
    RecordReaders Readers() { return {Reader("comtrade"), Reader("cff"), Reader("osc")}; }
};

TEST(RecordLoader, PicksTheReaderByExtensionAndReportsAnUnknownOne)
{
    ReaderLog log;
    Document document;
    for (const auto& [path, reader] : {std::pair{"/r/a.CFG", "comtrade"}, {"/r/a.cff", "cff"}, {"/r/a.osc", "osc"}}) {
        LoadRecord(document, path, {}, log.Readers());
        EXPECT_EQ(log.ran, reader);
    }
    log.ran.clear();
    try {
        LoadRecord(document, "/r/a.txt", {}, log.Readers());
        FAIL() << "no error";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), messages::kUnknownFileType);
    }
    EXPECT_TRUE(log.ran.empty());
}

TEST(RecordLoader, ConvertedFilesAreDeletedAfterReadingEvenWhenItFails)
{
    for (const bool fail : {false, true}) {
        ReaderLog log;
        log.fail = fail;
        Document document;
        document.tempFolder = NewTemporaryFolder();
        const auto folder = document.tempFolder;
        if (fail)
            EXPECT_THROW(LoadRecord(document, folder / "a.cfg", {}, log.Readers()), CZarvaException);
        else
            LoadRecord(document, folder / "a.cfg", {}, log.Readers());
        EXPECT_FALSE(std::filesystem::exists(folder));
        EXPECT_TRUE(document.tempFolder.empty());
    }
}

TEST(RecordLoader, SingleFileRecordKeepsItsFolderForSaving)
{
    ReaderLog log;
    Document document;
    document.tempFolder = NewTemporaryFolder();
    LoadRecord(document, "/r/a.cff", {}, log.Readers());
    EXPECT_TRUE(std::filesystem::is_directory(document.tempFolder));
    DeleteTemporaryFolder(document.tempFolder);
}

// Formulas that cannot be computed, for each reason a settings file may hold one.
TEST(RecordLoader, FailingFormulasNeitherStopTheRecordNorLeaveItsSettings)
{
    test::TempFolder folder;
    test::RecordBuilder builder;
    builder.Analog({.id = "Ia", .unit = "A"}).Analog({.id = "Ib", .unit = "A"}).Ramp(40);
    const std::filesystem::path cfg = builder.Write(folder, "r");
    folder.Write("r.set", "[CalculatedChannels]\r\nChannel0=Sum,Ia + Ib\r\nChannel1=Lost,Ia + Ix\r\n"
                          "Channel2=Ia,Ib * 2\r\nChannel3=Count,rms:(Ia, Ib)\r\n");
    Document document;
    LoadRecord(document, cfg, {});
    const Oscillogram& record = document.oscillogram;
    const std::string left = " оставлен без значений: ";
    EXPECT_EQ(record.loadWarnings,
              (std::vector<std::string>{
                  "Вычисляемый канал Lost = Ia + Ix" + left + "Имя канала задано неправильно. - Lost: 'Ix'",
                  "Вычисляемый канал Ia = Ib * 2" + left + "Данное имя канала уже существует. - Ia",
                  "Вычисляемый канал Count = rms:(Ia, Ib)" + left + "Неправильное число переменных: 'Count'",
              }));
    const Channel& sum = record.channels[record.FindChannel("Sum")];
    EXPECT_TRUE(std::isnan(record.channels[record.FindChannel("Lost")].samples.At(7)));
    EXPECT_EQ(record.channels[0].samples.At(7), 7.0) << "the record's Ia is not the formula's";
    EXPECT_EQ(sum.samples.At(7), 7.0 + 17.0);

    SaveRecord(document, folder / "copy.cfg");
    Document copy;
    LoadRecord(copy, folder / "copy.cfg", {});
    EXPECT_EQ(copy.oscillogram.calcChannels.Entries(), record.calcChannels.Entries());
    EXPECT_EQ(copy.oscillogram.loadWarnings, record.loadWarnings);
}

} // namespace
} // namespace zarva
