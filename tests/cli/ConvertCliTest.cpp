#include "cli/Commands.h"
#include "core/document/Document.h"
#include "core/formats/CffFile.h"
#include "core/formats/ComtradeReader.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zarva::cli {
namespace {

struct CliRun {
    int code;
    std::string err;
};

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

    static CliRun Cli(const std::vector<std::string>& words)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunCli(words, out, err);
        EXPECT_TRUE(out.str().empty()) << out.str();
        return {code, err.str()};
    }

    std::unique_ptr<Document> Read(const std::string& name) const
    {
        auto document = std::make_unique<Document>();
        if (name.ends_with(".cff"))
            ReadCff(*document, folder / name);
        else
            ReadComtrade(*document, folder / name);
        return document;
    }

    test::TempFolder folder;
    std::string cfg;
};

TEST_F(ConvertCliTest, ConvertsBetweenFormsAndFiles)
{
    ASSERT_EQ(Cli({"convert", cfg, (folder / "a.cfg").string(), "--type", "ascii"}).code, 0);
    EXPECT_EQ(Read("a.cfg")->oscillogram.fileType, "ASCII");
    ASSERT_EQ(Cli({"convert", (folder / "a.dat").string(), (folder / "b.cff").string(), "--type", "Float32"}).code, 0);
    EXPECT_EQ(Read("b.cff")->oscillogram.fileType, "FLOAT32");
    ASSERT_EQ(Cli({"convert", (folder / "b.cff").string(), (folder / "c.cfg").string()}).code, 0);
    const auto copy = Read("c.cfg");
    EXPECT_EQ(copy->oscillogram.fileType, "FLOAT32") << "the record keeps its form by default";
    EXPECT_EQ(copy->oscillogram.channels[1].samples, Read("rec.cfg")->oscillogram.channels[1].samples);
    ASSERT_EQ(Cli({"convert", cfg, (folder / "d.zip").string()}).code, 0);
    EXPECT_GT(std::filesystem::file_size(folder / "d.zip"), 0u);
}

TEST_F(ConvertCliTest, MistakesAreReportedAndWriteNothing)
{
    const CliRun type = Cli({"convert", cfg, (folder / "x.cfg").string(), "--type", "binary16"});
    EXPECT_EQ(type.code, 1);
    EXPECT_EQ(type.err, "Неправильное значение параметра --type: binary16\n");
    const CliRun kind = Cli({"convert", cfg, (folder / "x.csv").string()});
    EXPECT_EQ(kind.code, 1);
    EXPECT_NE(kind.err.find("x.csv"), std::string::npos);
    EXPECT_EQ(Cli({"convert", cfg}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "x.cfg"));
    EXPECT_FALSE(std::filesystem::exists(folder / "x.csv"));
}

TEST_F(ConvertCliTest, CalcSavesTheRecordWithItsComputedChannels)
{
    ASSERT_EQ(Cli({"calc", cfg, "--formula", "Sum=Ia + Ib", "--out", (folder / "sum.cfg").string()}).code, 0);
    const auto copy = Read("sum.cfg");
    ASSERT_EQ(copy->oscillogram.calcChannels.Names(), std::vector<std::string>{"Sum"});
    const Oscillogram& record = copy->oscillogram;
    const Channel& sum = record.channels[record.FindChannel("Sum")];
    EXPECT_EQ(sum.samples[7], record.channels[0].samples[7] + record.channels[1].samples[7]);
    EXPECT_EQ(record.analogCount, 2u) << "computed channels live in the settings file, not the data";
}

} // namespace
} // namespace zarva::cli
