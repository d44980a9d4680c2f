#include "CliRun.h"
#include "core/model/CodePage.h"
#include "support/Json.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

namespace zarva::cli {
namespace {

using test::Json;
using test::RecordBuilder;

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RecordBuilder builder;
        builder.Station(FromUtf8("ПС \"Северная\"", CodePage::Windows1251), "R1", "1999")
            .FileType("BINARY")
            .Analog({.id = "Ua", .unit = "kV", .a = 0.25, .primary = "110", .secondary = "0.1", .ps = "S"})
            .Analog({.id = "Ia \"line\"", .unit = "A"})
            .Discrete({.id = "Trip", .normalState = 1})
            .Rate(1000, 4)
            .Ramp(5);
        cfg = builder.Write(folder, "rec").string();
    }

    test::TempFolder folder;
    std::string cfg;
};

TEST_F(CliTest, InfoJsonDescribesTheRecord)
{
    const CliRun run = Cli({"info", cfg, "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json info = Json::Parse(run.out);
    EXPECT_EQ(info["station"].String(), "ПС \"Северная\"");
    EXPECT_EQ(info["revision"].String(), "1999");
    EXPECT_EQ(info["sample_rate"].Number(), 1000);
    EXPECT_EQ(info["samples"].Number(), 5);
    EXPECT_EQ(info["file_type"].String(), "BINARY");
    EXPECT_EQ(info["rate_segments"].Items()[0].Items()[1].Number(), 4);
    ASSERT_EQ(info["warnings"].Items().size(), 1u);
    const Json& voltage = info["analog"].Items()[0];
    EXPECT_EQ(voltage["unit"].String(), "kV");
    EXPECT_EQ(voltage["unit_factor"].Number(), 1000);
    EXPECT_EQ(voltage["primary"].Number(), 110);
    EXPECT_EQ(voltage["ps"].String(), "S");
    EXPECT_EQ(info["analog"].Items()[1]["id"].String(), "Ia \"line\"");
    EXPECT_EQ(info["digital"].Items()[0]["normal_state"].Number(), 1);
    EXPECT_TRUE(info["time_code"].IsNull());
    EXPECT_TRUE(info["start_utc"].IsNull());

    RecordBuilder coded;
    coded.Station("S", "R", "2013").TimeCodes("+9", "+3").Start("01/02/2020", "09:19:53.000250").Analog({.id = "U"}).Ramp(3);
    const Json utc = Json::Parse(Cli({"info", coded.Write(folder, "coded").string(), "--json"}).out);
    EXPECT_EQ(utc["time_code"].String(), "+9");
    EXPECT_EQ(utc["local_code"].String(), "+3");
    EXPECT_EQ(utc["start_utc"].String(), "2020-02-01T00:19:53.000250Z");
    EXPECT_EQ(utc["trigger_utc"].String(), "2020-02-01T01:20:30.100000Z");
}

TEST_F(CliTest, InfoTextListsWarningsAndChannels)
{
    const CliRun run = Cli({"info", cfg});
    ASSERT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("Warnings: 1"), std::string::npos);
    EXPECT_NE(run.out.find("id=\"Trip\""), std::string::npos);
    EXPECT_NE(run.out.find("PS=S"), std::string::npos);
}

TEST_F(CliTest, DumpWritesChosenChannelsAndSamplesAsCsvOrJson)
{
    const CliRun csv = Cli({"dump", cfg, "--channels", "ua,Trip", "--from", "1", "--to", "2"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    EXPECT_EQ(csv.out, "time_us,Ua,Trip\n1000,250,1\n2000,500,0\n");
    const CliRun all = Cli({"dump", cfg, "--to", "0"});
    EXPECT_EQ(all.out.substr(0, all.out.find('\n')), "time_us,Ua,\"Ia \"\"line\"\"\",Trip");

    const CliRun tail = Cli({"dump", cfg, "--format", "json", "--channels", "Ia \"line\"", "--from", "3"});
    ASSERT_EQ(tail.code, 0) << tail.err;
    const Json last = Json::Parse(tail.out);
    EXPECT_EQ(last["times"].Items().size(), 2u);
    EXPECT_EQ(last["channels"].Items()[0]["values"].Items()[1].Number(), 4 + 10.0);
    const CliRun head = Cli({"dump", cfg, "--format", "json", "--to", "1"});
    ASSERT_EQ(head.code, 0);
    const Json first = Json::Parse(head.out);
    EXPECT_EQ(first["times"].Items().size(), 2u);
    EXPECT_EQ(first["channels"].Items()[1]["name"].String(), "Ia \"line\"");
    EXPECT_EQ(first["channels"].Items()[0]["values"].Items()[1].Number(), 0.25 * 1000 * 1);
}

TEST_F(CliTest, MissingSamplesDumpAsNullOrAnEmptyFieldAndARangeWithANegativeMultiplierIsInOrder)
{
    RecordBuilder builder;
    builder.FileType("BINARY").Analog({.id = "U", .a = -0.5, .b = 1}).Sample({4}).Sample({-32768}).Sample({-2});
    const std::string path = builder.Write(folder, "gap").string();
    EXPECT_EQ(Cli({"dump", path}).out, "time_us,U\n0,-1\n1000,\n2000,2\n");
    const Json dump = Json::Parse(Cli({"dump", path, "--format", "json"}).out);
    EXPECT_TRUE(dump["channels"].Items()[0]["values"].Items()[1].IsNull());
    const Json info = Json::Parse(Cli({"info", path, "--json"}).out);
    EXPECT_EQ(info["analog"].Items()[0]["min"].Number(), -32767 * 0.5 + 1);
    EXPECT_EQ(info["analog"].Items()[0]["max"].Number(), 32767 * 0.5 + 1);
}

TEST_F(CliTest, AnyFileOfTheRecordOpensItAndErrorsPrintTheMessageAndFail)
{
    EXPECT_EQ(Cli({"info", (folder / "rec.dat").string()}).code, 0);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"info", (folder / "rec.cff").string()}, "rec.cff"},
        {{"info", (folder / "none.cfg").string()}, "none.cfg"},
        {{"info", folder.Write("bad.cfg", "S,R,1999\n1,1A,0D\n").string()}, "Неправильный формат файла - "},
        {{"dump", cfg, "--channels", "nope"}, ""},
        {{"dump", cfg, "--from", "x"}, ""},
        {{"dump", cfg, "--format", "xml"}, ""},
        {{"info", cfg, "--bogus"}, ""},
        {{"frobnicate"}, ""},
    };
    for (const auto& [words, message] : cases) {
        const CliRun run = Cli(words);
        EXPECT_EQ(run.code, 1) << words[0] << " " << words.back();
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    EXPECT_EQ(Cli({}).code, 2);
}

} // namespace
} // namespace zarva::cli
