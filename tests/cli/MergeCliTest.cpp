#include "CliRun.h"
#include "core/model/StringTable.h"
#include "support/Json.h"
#include "support/RecordBuilder.h"
#include "support/SavedRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zarva::cli {
namespace {

// A 50 Hz wave of 0.2 s sampled at `rate`, the recorder started at `time`.
std::string Record(const test::TempFolder& folder, const std::string& name, double rate, const std::string& time,
                   const std::string& channel)
{
    test::RecordBuilder builder;
    builder.Analog({.id = channel, .a = 0.01}).Discrete({.id = channel + "Trip"}).Rate(rate, std::lround(0.2 * rate));
    builder.Start("01/02/2020", time);
    for (long k = 0; k < std::lround(0.2 * rate); ++k)
        builder.Sample({std::round(10000.0 * std::sin(2.0 * std::numbers::pi * 50.0 * k / rate))}, {k > rate / 10});
    return builder.Write(folder, name).string();
}

TEST(MergeCli, MergesByStartTimeAndSavesOneRecord)
{
    test::TempFolder folder;
    const std::string a = Record(folder, "a", 1000, "10:20:30.000000", "Ua");
    const std::string b = Record(folder, "b", 2400, "10:20:30.012500", "Ua");
    const std::string out = (folder / "merged.cfg").string();
    const CliRun run = Cli({"merge", a, b, "--channels", "Ua,UaTrip", "--out", out, "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const test::Json result = test::Json::Parse(run.out);
    EXPECT_NEAR(result["offset_us"].Number(), 12500.0, 1e-6);
    EXPECT_NEAR(result["offset_samples"].Number(), 12.5, 1e-9);
    EXPECT_EQ(result["method"].String(), "time");
    EXPECT_EQ(result["status"].String(), Text(3456));
    EXPECT_EQ(result["rate"].Number(), 2400.0);
    // B ends at 12.5 ms + 479 / 2400 s: 509 samples at 2400 Hz, less 4
    EXPECT_EQ(result["samples"].Number(), 505.0);

    const std::unique_ptr<Document> merged = test::ReadRecord(out);
    ASSERT_EQ(merged->oscillogram.channels.size(), 4U);
    EXPECT_EQ(merged->oscillogram.SampleCount(), 505U);
    EXPECT_NO_THROW(merged->oscillogram.FindChannel("Ua(2)"));
    EXPECT_NO_THROW(merged->oscillogram.FindChannel("UaTrip(2)"));

    const CliRun text = Cli({"merge", a, b, "--channels", "Ua", "--out", out});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find(" us (12.50 samples)\n"), std::string::npos) << text.out;
}

TEST(MergeCli, RefusesRecordsThatDoNotOverlapAndWritesNothing)
{
    test::TempFolder folder;
    const std::string a = Record(folder, "a", 1000, "10:20:30.000000", "Ua");
    const std::string b = Record(folder, "b", 1000, "11:20:30.000000", "Ub");
    const std::string out = (folder / "merged.cfg").string();
    const CliRun run = Cli({"merge", a, b, "--channels", "Ub", "--out", out});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(Text(219)), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(Cli({"merge", a, b, "--channels", "Ub", "--out", out, "--method", "fault"}).code, 1);
}

} // namespace
} // namespace zarva::cli
