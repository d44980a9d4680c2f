#include "CliRun.h"
#include "support/Json.h"
#include "support/RecordBuilder.h"
#include "support/SavedRecord.h"

#include <gtest/gtest.h>

namespace zarva::cli {
namespace {

// Ia and Ib of 40 samples: 0.5 k and 0.5 (k + 10) at sample k.
class CalcConvertCliTest : public ::testing::Test {
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

    CliRun Calc(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"calc", cfg});
        return Cli(options);
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

TEST_F(CalcConvertCliTest, CalcPrintsTheComputedChannelsAsDumpDoes)
{
    const CliRun run = Calc({"--formula", "Sum=Ia + Ib", "--formula", "Double=Sum * 2", "--to", "2"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "time_us,Sum,Double\n0,5,10\n1000,6,12\n2000,7,14\n");

    const CliRun json = Calc({"--formula", "P=Re: (Pf: (Ia, Ib))[W]", "--format", "json", "--from", "38"});
    ASSERT_EQ(json.code, 0) << json.err;
    const test::Json dump = test::Json::Parse(json.out);
    ASSERT_EQ(dump["times"].Items().size(), 2u);
    EXPECT_EQ(dump["channels"].Items()[0]["name"].String(), "P");
    EXPECT_EQ(dump["channels"].Items()[0]["values"].Items().size(), 2u);
}

TEST_F(CalcConvertCliTest, CalcFormulasFromAFileComeFirst)
{
    const auto frm = folder.Write("set.frm", "Diff,Ib - Ia,\r\n");
    const CliRun run = Calc({"--frm", frm.string(), "--formula", "Half=Diff / 2", "--to", "0"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "time_us,Diff,Half\n0,5,2.5\n");
}

TEST_F(CalcConvertCliTest, CalcFailuresPrintTheMessageAndExitWithOne)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--formula", "Bad=Ia +"}, "Bad: Синтаксическая ошибка в формуле\n"},
        {{"--formula", "Empty=null"}, "Empty: Результат не действителен\n"},
        {{"--formula", "Ia=Ib"}, "Данное имя канала уже существует. - Ia\n"},
        {{"--formula", "1st=Ib"}, "Неправильное имя канала. - 1st\n"},
        {{"--formula", "Sum"}, "Неправильное значение параметра --formula: Sum\n"},
        {{"--formula", "Sum=Ia", "--out", "x.txt"}, "Неизвестный тип файла - x.txt\n"},
    };
    for (const auto& [options, message] : cases) {
        const CliRun run = Calc(options);
        EXPECT_EQ(run.code, 1) << options[1];
        EXPECT_EQ(run.err, message);
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(Calc({}).code, 1);
}

TEST_F(CalcConvertCliTest, AFailingFormulaOfTheRecordIsAWarningAndItsChannelHasNoValues)
{
    folder.Write("rec.set", "[CalculatedChannels]\r\nChannel0=Lost,Ia + Ix\r\n");
    const std::string warning =
        "Вычисляемый канал Lost = Ia + Ix оставлен без значений: Имя канала задано неправильно. - Lost: 'Ix'\n";
    const CliRun info = Cli({"info", cfg});
    EXPECT_EQ(info.code, 0);
    EXPECT_NE(info.out.find(warning), std::string::npos) << info.out;
    const CliRun dump = Cli({"dump", cfg, "--channels", "Ia", "--to", "0"});
    EXPECT_EQ(dump.code, 0);
    EXPECT_EQ(dump.err, warning);

    const CliRun calc = Calc({"--formula", "Sum=Ia + Ib", "--to", "0"});
    EXPECT_EQ(calc.code, 0);
    EXPECT_EQ(calc.err, warning);
    EXPECT_TRUE(calc.out.starts_with("time_us,Lost,Sum\n0,")) << calc.out;
    // A formula given to the command still has to compute.
    const CliRun bad = Calc({"--formula", "Bad=Ia +"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, warning + "Bad: Синтаксическая ошибка в формуле\n");
}

TEST_F(CalcConvertCliTest, CalcSavesTheRecordWithItsComputedChannels)
{
    ASSERT_EQ(Quiet({"calc", cfg, "--formula", "Sum=Ia + Ib", "--out", (folder / "sum.cfg").string()}).code, 0);
    const auto copy = Read("sum.cfg");
    ASSERT_EQ(copy->oscillogram.calcChannels.Names(), std::vector<std::string>{"Sum"});
    const Oscillogram& record = copy->oscillogram;
    const Channel& sum = record.channels[record.FindChannel("Sum")];
    EXPECT_EQ(sum.samples.At(7), record.channels[0].samples.At(7) + record.channels[1].samples.At(7));
    EXPECT_EQ(record.analogCount, 2u) << "computed channels live in the settings file, not the data";
}

TEST_F(CalcConvertCliTest, ConvertsBetweenFormsAndFiles)
{
    ASSERT_EQ(Quiet({"convert", cfg, (folder / "a.cfg").string(), "--type", "ascii"}).code, 0);
    EXPECT_EQ(Read("a.cfg")->oscillogram.fileType, "ASCII");
    ASSERT_EQ(Quiet({"convert", (folder / "a.dat").string(), (folder / "b.cff").string(), "--type", "Float32"}).code, 0);
    EXPECT_EQ(Read("b.cff")->oscillogram.fileType, "FLOAT32");
    ASSERT_EQ(Quiet({"convert", (folder / "b.cff").string(), (folder / "c.cfg").string()}).code, 0);
    const auto copy = Read("c.cfg");
    EXPECT_EQ(copy->oscillogram.fileType, "FLOAT32") << "the record keeps its form by default";
    EXPECT_EQ(copy->oscillogram.channels[1].samples.View().ToVector(),
              Read("rec.cfg")->oscillogram.channels[1].samples.View().ToVector());
    const auto old = test::RecordBuilder().Station("S", "R", "1999").FileType("BINARY").Analog({.id = "U"}).Ramp(3);
    ASSERT_EQ(Quiet({"convert", old.Write(folder, "old").string(), (folder / "e.cff").string()}).code, 0);
    EXPECT_EQ(Read("e.cff")->oscillogram.revisionYear, "2013") << "raised, not refused";
    ASSERT_EQ(Quiet({"convert", cfg, (folder / "d.zip").string()}).code, 0);
    EXPECT_GT(std::filesystem::file_size(folder / "d.zip"), 0u);
}

TEST_F(CalcConvertCliTest, ConvertMistakesAreReportedAndWriteNothing)
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

} // namespace
} // namespace zarva::cli
