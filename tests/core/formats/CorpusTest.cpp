// Records written by other programs: read as another reader found them, and saved in every
// data form and as a single file, read back holding what they held. That reader gives a·x + b
// in the unit as written, with null for a missing value, and zero-fills samples missing from
// the data file, so values are compared through the unit's prefix and only where the file
// has them.
#include "support/SavedRecord.h"

#include "core/formats/CffFile.h"
#include "core/formats/CfgFieldReader.h"
#include "core/formats/ComtradeReader.h"
#include "core/formats/ComtradeWriter.h"
#include "core/formats/SettingsFile.h"
#include "support/Json.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

using test::Json;

std::size_t RecordsInData(const Json& expected)
{
    const Json& physical = expected["dat_physical"];
    return static_cast<std::size_t>(physical.IsObject() ? physical["records"].Number() : physical.Number());
}

void CompareAnalog(const Channel& channel, const Json& expected, const Json& indices, std::size_t inData)
{
    const std::string what = channel.channelId;
    EXPECT_DOUBLE_EQ(channel.multiplier, expected["a"].Number()) << what;
    EXPECT_DOUBLE_EQ(channel.offset, expected["b"].Number()) << what;
    const Json::Array& values = expected["values_at_index"].Items();
    for (std::size_t k = 0; k < values.size(); ++k) {
        const auto index = static_cast<std::size_t>(indices.Items()[k].Number());
        if (index >= inData)
            continue;
        const double ours = channel.samples.At(index);
        if (values[k].IsNull()) {
            EXPECT_TRUE(std::isnan(ours)) << what << " sample " << index << " is missing, not " << ours;
        } else {
            EXPECT_DOUBLE_EQ(ours, values[k].Number() * channel.unitFactor) << what << " sample " << index;
        }
    }
}

void CompareRecord(const std::filesystem::path& corpus, const Json& expected)
{
    Document document;
    ReadComtradeFiles(document, corpus / expected["record"].String());
    const Oscillogram& record = document.oscillogram;
    EXPECT_EQ(record.revisionYear.empty() ? "1991" : record.revisionYear, expected["rev_year"].String());
    if (expected["frequency"].Number() > 0.0) {
        EXPECT_DOUBLE_EQ(record.lineFrequency, expected["frequency"].Number());
    }
    ASSERT_EQ(record.analogCount, expected["analog_count"].Number());
    ASSERT_EQ(record.discreteCount, expected["status_count"].Number());
    const std::size_t inData = RecordsInData(expected);
    EXPECT_EQ(record.SampleCount(), inData);

    // A record of one declared rate is timed by it: sample k at k / rate.
    const Json::Array& rates = expected["sample_rates"].Items();
    if (rates.size() == 1 && rates[0].Items()[0].Number() > 0.0) {
        for (const Json& index : expected["sample_index"].Items()) {
            const auto k = static_cast<std::size_t>(index.Number());
            if (k < inData) {
                EXPECT_NEAR(record.sampleTimes[k], k * 1e6 / rates[0].Items()[0].Number(), 0.5) << "time " << k;
            }
        }
    }

    const Json::Array& analog = expected["analog"].Items();
    for (std::size_t j = 0; j < analog.size(); ++j) {
        CompareAnalog(record.channels[j], analog[j], expected["sample_index"], inData);
    }

    const bool sameLength = inData == static_cast<std::size_t>(expected["total_samples"].Number());
    const Json::Array& status = expected["status"].Items();
    for (std::size_t j = 0; j < status.size(); ++j) {
        const Channel& channel = record.channels[record.analogCount + j];
        if (sameLength) {
            const std::vector<double> samples = channel.samples.View().ToVector();
            EXPECT_EQ(std::count(samples.begin(), samples.end(), 1.0), status[j]["ones"].Number())
                << channel.channelId;
        }
    }
}

TEST(Conformance, RecordsWrittenByOtherProgramsReadAsTheyDid)
{
    const std::filesystem::path corpus = test::CorpusFolder();
    if (corpus.empty())
        GTEST_SKIP() << "the folder of real records is absent (set ZARVA_CORPUS)";
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "expected")) {
        const Json expected = Json::Parse(test::FileBytes(entry.path()));
        const std::string name = expected["record"].String();
        if (name.ends_with(".cff"))
            continue;  // the single-file form is split before reading, elsewhere
        SCOPED_TRACE(name);
        EXPECT_NO_THROW(CompareRecord(corpus, expected));
        ++compared;
    }
    EXPECT_GE(compared, 30);
}

std::vector<std::filesystem::path> CorpusRecords(const std::filesystem::path& corpus)
{
    std::vector<std::filesystem::path> records;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension == ".cfg" || extension == ".cff")
            records.push_back(entry.path());
    }
    std::sort(records.begin(), records.end());
    return records;
}

void ExpectSameSettings(Document& saved, Document& copy, const test::TempFolder& folder)
{
    WriteSettings(saved, folder / "saved.set");
    WriteSettings(copy, folder / "copy.set");
    EXPECT_EQ(test::FileBytes(folder / "copy.set"), test::FileBytes(folder / "saved.set"));
}

TEST(CorpusRoundTrip, EveryRecordSavedInEveryFormReadsBackTheSame)
{
    const std::filesystem::path corpus = test::CorpusFolder();
    if (corpus.empty())
        GTEST_SKIP() << "the folder of real records is absent (set ZARVA_CORPUS)";
    const std::vector<std::filesystem::path> records = CorpusRecords(corpus);
    EXPECT_GE(records.size(), 33u);
    for (const std::filesystem::path& path : records) {
        SCOPED_TRACE(path.string());
        const test::TempFolder folder;
        const auto original = test::ReadRecord(path);
        const bool asciiTimes = original->oscillogram.fileType == "ASCII";
        for (const char* type : {"ASCII", "BINARY", "binary32", "FLOAT32"}) {
            SCOPED_TRACE(type);
            const std::filesystem::path saved = folder / (std::string(type) + ".cfg");
            SaveComtrade(*original, saved, {type});
            const auto copy = test::ReadRecord(saved);
            // Binary files are timed by their rates; stamps of an ASCII file that stray from
            // its rate are written, but only an ASCII file is read by them.
            test::ExpectSameRecord(original->oscillogram, copy->oscillogram, !asciiTimes || type == std::string("ASCII"));
            ExpectSameSettings(*original, *copy, folder);
        }
        if (LeadingInt(original->oscillogram.revisionYear) >= 2013) {
            SaveCff(*original, folder / "single.cff");
            const auto copy = test::ReadRecord(folder / "single.cff");
            test::ExpectSameRecord(original->oscillogram, copy->oscillogram);
        }
    }
}

} // namespace
} // namespace zarva
