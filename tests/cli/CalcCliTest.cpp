#include "CliRun.h"
#include "support/Json.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

namespace zarva::cli {
namespace {

using test::Json;
using test::RecordBuilder;

class CalcCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RecordBuilder builder;
        builder.Analog({.id = "Ia", .unit = "A"}).Analog({.id = "Ib", .unit = "A"}).Rate(1000, 40).Ramp(40);
        cfg = builder.Write(folder, "rec").string();
    }

    CliRun Calc(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"calc", cfg});
        return Cli(options);
    }

    test::TempFolder folder;
    std::string cfg;
};

// Ramp samples: Ia = k, Ib = k + 10 at sample k.
TEST_F(CalcCliTest, PrintsTheComputedChannelsAsDumpDoes)
{
    const CliRun run = Calc({"--formula", "Sum=Ia + Ib", "--formula", "Double=Sum * 2", "--to", "2"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "time_us,Sum,Double\n0,10,20\n1000,12,24\n2000,14,28\n");
}

TEST_F(CalcCliTest, JsonOutputOverARange)
{
    const CliRun run = Calc({"--formula", "P=Re: (Pf: (Ia, Ib))[W]", "--format", "json", "--from", "38"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json dump = Json::Parse(run.out);
    ASSERT_EQ(dump["times"].Items().size(), 2u);
    EXPECT_EQ(dump["channels"].Items()[0]["name"].String(), "P");
    EXPECT_EQ(dump["channels"].Items()[0]["values"].Items().size(), 2u);
}

TEST_F(CalcCliTest, FormulasFromAFileComeFirst)
{
    const auto frm = folder.Write("set.frm", "Diff,Ib - Ia,\r\n");
    const CliRun run = Calc({"--frm", frm.string(), "--formula", "Half=Diff / 2", "--to", "0"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "time_us,Diff,Half\n0,10,5\n");
}

TEST_F(CalcCliTest, FailuresPrintTheMessageAndExitWithOne)
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

} // namespace
} // namespace zarva::cli
