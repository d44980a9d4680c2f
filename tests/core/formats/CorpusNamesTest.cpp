// Names of records written by others read as another reader read them in the code page it
// was told, and written back byte for byte in the record's own page.
#include "support/SavedRecord.h"

#include "core/formats/ComtradeWriter.h"
#include "support/Json.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zarva {
namespace {

using test::Json;
using test::Trimmed;

void ExpectNames(const Oscillogram& record, const std::string& station, const std::string& recorder,
                 const Json& analog, const Json& status)
{
    EXPECT_EQ(record.stationText, Trimmed(station));
    EXPECT_EQ(record.recorderText, Trimmed(recorder));
    ASSERT_EQ(record.analogCount, analog.Items().size());
    ASSERT_EQ(record.discreteCount, status.Items().size());
    for (std::size_t j = 0; j < record.channels.size(); ++j) {
        const Json& expected = j < record.analogCount ? analog.Items()[j] : status.Items()[j - record.analogCount];
        EXPECT_EQ(record.channels[j].name, Trimmed(expected["id"].String())) << "channel " << j + 1;
    }
}

std::vector<Json> ExpectedRecords(const std::filesystem::path& corpus)
{
    std::vector<Json> records;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "expected"))
        records.push_back(Json::Parse(test::FileBytes(entry.path())));
    return records;
}

TEST(CorpusNames, EveryNameReadsAsTheOtherReaderReadItInTheRightCodePage)
{
    const std::filesystem::path corpus = test::CorpusFolder();
    if (corpus.empty())
        GTEST_SKIP() << "the folder of real records is absent (set ZARVA_CORPUS)";
    const std::vector<Json> records = ExpectedRecords(corpus);
    for (const Json& expected : records) {
        SCOPED_TRACE(expected["record"].String());
        const auto document = test::ReadRecord(corpus / expected["record"].String());
        ExpectNames(document->oscillogram, expected["station_name"].String(), expected["rec_dev_id"].String(),
                    expected["analog"], expected["status"]);
    }
    EXPECT_GE(records.size(), 33u);
}

TEST(CorpusNames, ChineseRecordsAreWrittenBackInGbk)
{
    const std::filesystem::path corpus = test::CorpusFolder();
    const std::filesystem::path script = corpus.parent_path() / "refreader" / "readback.py";
    if (corpus.empty() || !std::filesystem::exists(script) || std::system("python3 -c '' 2>/dev/null") != 0)
        GTEST_SKIP() << "the real records, the other reader or Python 3 is absent";
    const char* types[] = {"ASCII", "BINARY", "binary32"};
    std::size_t written = 0;
    for (const Json& expected : ExpectedRecords(corpus)) {
        // A header in another page stops that reader; it is kept as it was read.
        if (expected["encoding_used"].String() != "gbk" || expected["load_mode"].String() != "plain")
            continue;
        SCOPED_TRACE(expected["record"].String());
        const test::TempFolder folder;
        const auto original = test::ReadRecord(corpus / expected["record"].String());
        SaveComtrade(*original, folder / "gbk.cfg", {types[written++ % std::size(types)]});
        const auto copy = test::ReadRecord(folder / "gbk.cfg");
        EXPECT_EQ(copy->oscillogram.stationName + copy->oscillogram.recorderId,
                  original->oscillogram.stationName + original->oscillogram.recorderId);
        for (std::size_t j = 0; j < original->oscillogram.channels.size(); ++j)
            EXPECT_EQ(copy->oscillogram.channels[j].channelId, original->oscillogram.channels[j].channelId);

        const std::string command = "python3 '" + script.string() + "' '" + (folder / "gbk.cfg").string() +
                                    "' --encoding gbk --max-values 1 > '" + (folder / "other.json").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << "the other reader refused the written record";
        const Json other = Json::Parse(test::FileBytes(folder / "other.json"));
        ExpectNames(copy->oscillogram, other["station"].String(), other["rec_dev_id"].String(), other["analog"],
                    other["status"]);
    }
    EXPECT_GE(written, 5u);
}

} // namespace
} // namespace zarva
