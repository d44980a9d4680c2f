// The whole-record series of real records written by other programs equal the window
// measures, in every curve mode.
#include "SeriesCheck.h"

#include "core/document/Document.h"
#include "core/formats/ComtradeReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zarva {
namespace {

// The start of the record sample by sample, its end, and about 300 samples between.
void CheckChannel(const Channel& channel)
{
    const auto count = static_cast<std::int64_t>(channel.samples.Size());
    const std::int64_t head = std::min<std::int64_t>(count, 3 * channel.owner->oscillogram.SamplesPerPeriod(channel) + 2);
    test::ExpectSeriesMatchMeasures(channel, 0, 1, std::min<std::int64_t>(head, 300));
    test::ExpectSeriesMatchMeasures(channel, head, std::max<std::int64_t>(1, count / 300));
    test::ExpectSeriesMatchMeasures(channel, std::max<std::int64_t>(0, count - 3));
}

TEST(CorpusSeries, EqualTheMeasuresOnRealRecords)
{
    const std::filesystem::path corpus = test::CorpusFolder();
    if (corpus.empty())
        GTEST_SKIP() << "the folder of real records is absent (set ZARVA_CORPUS)";
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension != ".cfg")
            continue;
        Document document;
        try {
            ReadComtrade(document, entry.path());
        } catch (const std::exception&) {
            continue;  // what the reader refuses is its own tests' business
        }
        SCOPED_TRACE(entry.path().string());
        for (Channel& channel : document.oscillogram.channels) {
            if (!channel.IsAnalog())
                continue;
            test::InEveryCurveMode(channel, [&channel] { CheckChannel(channel); });
        }
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

} // namespace
} // namespace zarva
