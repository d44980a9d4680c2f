// Computed channels over the records written by other programs: every channel, whatever its
// name, is reached by a formula built the way the formula dialog builds it, and a sequence
// formula agrees with the phasor arithmetic on the record's own phasor series.
#include "core/document/Document.h"
#include "core/dsp/PhasorMath.h"
#include "core/dsp/WindowMeasures.h"
#include "core/formats/ComtradeReader.h"
#include "core/formula/FormulaPatterns.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

constexpr std::size_t kChannelsPerRecord = 8;

std::vector<std::filesystem::path> CorpusRecords()
{
    std::vector<std::filesystem::path> records;
    const std::filesystem::path corpus = test::CorpusFolder();
    if (corpus.empty())
        return records;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        std::string extension = entry.path().extension().string();
        std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
        if (extension == ".cfg")
            records.push_back(entry.path());
    }
    std::ranges::sort(records);
    return records;
}

// Analog channels a formula can name: a unique name without a double quote.
std::vector<std::size_t> NameableAnalogs(const Oscillogram& record)
{
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < record.channels.size() && chosen.size() < kChannelsPerRecord; ++i) {
        const Channel& channel = record.channels[i];
        if (channel.IsAnalog() && channel.name.find('"') == std::string::npos &&
            record.FindChannel(channel.name) == i)
            chosen.push_back(i);
    }
    return chosen;
}

void CheckRecord(Document& document)
{
    Oscillogram& record = document.oscillogram;
    const std::vector<std::size_t> analogs = NameableAnalogs(record);
    std::vector<std::string> quoted;
    for (std::size_t k = 0; k < analogs.size(); ++k) {
        quoted.push_back(QuoteChannelName(record.channels[analogs[k]].name));
        record.calcChannels.Add("Copy" + std::to_string(k), quoted.back());
    }
    if (analogs.size() >= 3)
        record.calcChannels.Add("Positive", BuildFormula("I1: (%s, %s, %s)", {quoted.begin(), quoted.begin() + 3}));
    record.calcChannels.Compute();

    const std::size_t count = record.SampleCount();
    for (std::size_t k = 0; k < analogs.size(); ++k) {
        const Channel& source = record.channels[analogs[k]];
        const Channel& copy = *record.calcChannels.FindChannel("Copy" + std::to_string(k));
        for (std::size_t i = 0; i < count; ++i)
            ASSERT_EQ(copy.samples.At(i), Value(source, static_cast<std::int64_t>(i))) << source.name << " at " << i;
    }
    if (analogs.size() < 3)
        return;
    const Channel& positive = *record.calcChannels.FindChannel("Positive");
    const auto phasor = [&](std::size_t k, std::size_t i) {
        const Channel& channel = record.channels[analogs[k]];
        const Phasor z = i < channel.PhasorSeries().Size() ? channel.PhasorSeries().At(i) : Phasor{};
        return std::isnan(z.real()) || std::isnan(z.imag()) ? Phasor{} : z;
    };
    for (std::size_t i = 0; i < count; ++i) {
        const Phasor expected = PositiveSequence(phasor(0, i), phasor(1, i), phasor(2, i));
        ASSERT_EQ((*positive.suppliedPhasors)[i], expected) << "at " << i;
        ASSERT_DOUBLE_EQ(positive.samples.At(i), std::abs(expected)) << "at " << i;
    }
}

TEST(CorpusFormulas, EveryNameableChannelIsReachedByItsQuotedName)
{
    const std::vector<std::filesystem::path> records = CorpusRecords();
    if (records.empty())
        GTEST_SKIP() << "the corpus of records written by others is absent (ZARVA_CORPUS)";
    int checked = 0;
    for (const std::filesystem::path& path : records) {
        SCOPED_TRACE(path.string());
        Document document;
        try {
            ReadComtrade(document, path);
        } catch (const std::exception&) {
            continue;  // the reader's conformance tests account for records it refuses
        }
        CheckRecord(document);
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

} // namespace
} // namespace zarva
