#include "CliRun.h"
#include "support/RecordBuilder.h"
#include "support/SavedRecord.h"

#include <gtest/gtest.h>

namespace zarva::cli {
namespace {

class ConvertCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RecordBuilder builder;
        builder.Station("SUB", "IED", "2013")
            .FileType("BINARY")
            .Analog({.id = "Ia", .unit = "A", .a = 0.5})
            .Analog({.id = "Ib", .unit = "A", .a = 0.5})
            .Discrete({.id = "Trip"})
            .Ramp(40);
        cfg = builder.Write(folder, "rec").string();
    }

    // Converting prints nothing.
    static CliRun Quiet(const std::vector<std::string>& words)
    {
        const CliRun run = Cli(words);
        EXPECT_TRUE(run.out.empty()) << run.out;
        return run;
    }

    std::unique_ptr<Document> Read(const std::string& name) const { return test::ReadRecord(folder / name); }

    test::TempFolder folder;
    std::string cfg;
};

TEST_F(ConvertCliTest, ConvertsBetweenFormsAndFiles)
{
    ASSERT_EQ(Quiet({"convert", cfg, (folder / "a.cfg").string(), "--type", "ascii"}).code, 0);
    EXPECT_EQ(Read("a.cfg")->oscillogram.fileType, "ASCII");
    ASSERT_EQ(Quiet({"convert", (folder / "a.dat").string(), (folder / "b.cff").string(), "--type", "Float32"}).code, 0);
    EXPECT_EQ(Read("b.cff")->oscillogram.fileType, "FLOAT32");
    ASSERT_EQ(Quiet({"convert", (folder / "b.cff").string(), (folder / "c.cfg").string()}).code, 0);
    const auto copy = Read("c.cfg");
    EXPECT_EQ(copy->oscillogram.fileType, "FLOAT32") << "the record keeps its form by default";
    EXPECT_EQ(copy->oscillogram.channels[1].samples, Read("rec.cfg")->oscillogram.channels[1].samples);
    ASSERT_EQ(Quiet({"convert", cfg, (folder / "d.zip").string()}).code, 0);
    EXPECT_GT(std::filesystem::file_size(folder / "d.zip"), 0u);
}

TEST_F(ConvertCliTest, MistakesAreReportedAndWriteNothing)
{
    const CliRun type = Quiet({"convert", cfg, (folder / "x.cfg").string(), "--type", "binary16"});
    EXPECT_EQ(type.code, 1);
    EXPECT_EQ(type.err, "Неправильное значение параметра --type: binary16\n");
    const CliRun kind = Quiet({"convert", cfg, (folder / "x.csv").string()});
    EXPECT_EQ(kind.code, 1);
    EXPECT_NE(kind.err.find("x.csv"), std::string::npos);
    EXPECT_EQ(Quiet({"convert", cfg}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "x.cfg"));
    EXPECT_FALSE(std::filesystem::exists(folder / "x.csv"));
}

TEST_F(ConvertCliTest, CalcSavesTheRecordWithItsComputedChannels)
{
    ASSERT_EQ(Quiet({"calc", cfg, "--formula", "Sum=Ia + Ib", "--out", (folder / "sum.cfg").string()}).code, 0);
    const auto copy = Read("sum.cfg");
    ASSERT_EQ(copy->oscillogram.calcChannels.Names(), std::vector<std::string>{"Sum"});
    const Oscillogram& record = copy->oscillogram;
    const Channel& sum = record.channels[record.FindChannel("Sum")];
    EXPECT_EQ(sum.samples[7], record.channels[0].samples[7] + record.channels[1].samples[7]);
    EXPECT_EQ(record.analogCount, 2u) << "computed channels live in the settings file, not the data";
}

} // namespace
} // namespace zarva::cli
