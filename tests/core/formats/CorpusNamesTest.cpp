// Names of records written by others: decoded as another reader decoded them in the code
// page it was told, and written back in the record's own page, byte for byte.
#include "support/SavedRecord.h"

#include "core/formats/ComtradeWriter.h"
#include "support/Json.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace zarva {
namespace {

using test::Json;

// That reader keeps the padding of fixed-width fields.
std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// What the reader was told; "utf-8 (... default)" is what it reads when told nothing.
CodePage PageNamed(const std::string& encoding)
{
    if (encoding == "cp1251")
        return CodePage::Windows1251;
    if (encoding == "cp866")
        return CodePage::Oem866;
    if (encoding == "gbk")
        return CodePage::Gbk;
    return encoding == "latin-1" ? CodePage::Windows1252 : CodePage::Utf8;
}

bool HasEightBitText(const Oscillogram& record)
{
    std::string texts = record.stationName + record.recorderId;
    for (const Channel& channel : record.channels)
        texts += channel.channelId + channel.phase + channel.circuitComponent + channel.unit8;
    return std::any_of(texts.begin(), texts.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The names another reader found: station and recorder, then every analog and status id.
void ExpectNames(const Oscillogram& record, const std::string& station, const std::string& recorder,
                 const Json& analog, const Json& status)
{
    EXPECT_EQ(record.stationText, Trimmed(station));
    EXPECT_EQ(record.recorderText, Trimmed(recorder));
    ASSERT_EQ(record.analogCount, analog.Items().size());
    ASSERT_EQ(record.discreteCount, status.Items().size());
    for (std::size_t j = 0; j < record.analogCount + record.discreteCount; ++j) {
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

TEST(CorpusNames, EveryNameReadsAsTheOtherReaderReadItInItsCodePage)
{
    const std::filesystem::path corpus = test::CorpusFolder();
    if (corpus.empty())
        GTEST_SKIP() << "the folder of real records is absent (set ZARVA_CORPUS)";
    std::size_t compared = 0;
    for (const Json& expected : ExpectedRecords(corpus)) {
        SCOPED_TRACE(expected["record"].String());
        const auto document = test::ReadRecord(corpus / expected["record"].String());
        const Oscillogram& record = document->oscillogram;
        ExpectNames(record, expected["station_name"].String(), expected["rec_dev_id"].String(), expected["analog"],
                    expected["status"]);
        if (HasEightBitText(record)) {
            EXPECT_EQ(record.codePage, PageNamed(expected["encoding_used"].String()));
        }
        ++compared;
    }
    EXPECT_GE(compared, 33u);
}

// The other reader's view of a record, or empty when it could not read it.
std::string ReadBack(const std::filesystem::path& script, const std::filesystem::path& cfg,
                     const test::TempFolder& folder)
{
    const std::filesystem::path out = folder / "readback.json";
    const std::string command = "python3 '" + script.string() + "' '" + cfg.string() +
                                "' --encoding gbk --max-values 1 > '" + out.string() + "'";
    return std::system(command.c_str()) == 0 ? test::FileBytes(out) : std::string();
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
        if (expected["encoding_used"].String() != "gbk" || expected["load_mode"].String() != "plain")
            continue;  // a header in another page stops that reader; it is kept as it was read
        SCOPED_TRACE(expected["record"].String());
        const auto original = test::ReadRecord(corpus / expected["record"].String());
        const test::TempFolder folder;
        const std::filesystem::path cfg = folder / "gbk.cfg";
        SaveComtrade(*original, cfg, {types[written++ % std::size(types)]});

        const auto copy = test::ReadRecord(cfg);
        EXPECT_EQ(copy->oscillogram.stationName, original->oscillogram.stationName);
        EXPECT_EQ(copy->oscillogram.recorderId, original->oscillogram.recorderId);
        for (std::size_t j = 0; j < original->oscillogram.channels.size(); ++j)
            EXPECT_EQ(copy->oscillogram.channels[j].channelId, original->oscillogram.channels[j].channelId);

        const std::string text = ReadBack(script, cfg, folder);
        ASSERT_FALSE(text.empty()) << "the other reader refused the written record";
        const Json other = Json::Parse(text);
        ExpectNames(copy->oscillogram, other["station"].String(), other["rec_dev_id"].String(), other["analog"],
                    other["status"]);
    }
    EXPECT_GE(written, 5u);
}

} // namespace
} // namespace zarva
