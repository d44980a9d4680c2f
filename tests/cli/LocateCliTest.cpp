#include "CliRun.h"
#include "SimulatedRecord.h"
#include "StandardNetwork.h"
#include "core/document/Document.h"
#include "core/faultloc/OmpFile.h"
#include "core/storage/TextFile.h"
#include "support/Json.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva::cli {
namespace {

using namespace sim;

// A phase-C-to-earth fault 71 km from M, saved with the earthed-neutral model in its settings
// and the two-ended model beside it.
class LocateCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const NetworkData network = StandardNetwork(20.0, true, false);
        const FaultData fault{FaultKind::CG, 71.0, 5.0};
        Document document;
        FillDocument(document, SimulateRecord(network, &fault, RecordTiming{}));
        WriteRecordFiles(document, LocatorModel(network, 2), folder / "cg");
        SaveOmpFile(LocatorModel(network, 4), folder / "two-ended.omp");
        cfg = (folder / "cg.cfg").string();
    }

    test::TempFolder folder;
    std::string cfg;
};

TEST_F(LocateCliTest, PrintsTheResultFromTheRecordsOwnModelAndWritesTheReport)
{
    const CliRun run = Cli({"locate", cfg, "--report", (folder / "report.txt").string()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("    1-х фазное КЗ: фазы C на участке № 2, опоры 4")) << run.out;
    EXPECT_NE(run.out.find("\n    Расстояние = 7"), std::string::npos) << run.out;
    const std::string report = Utf16LeToUtf8(test::FileBytes(folder / "report.txt").substr(2));
    EXPECT_NE(report.find("Алгоритм: ОМП для сетей с заземленной нейтралью\r\n"), std::string::npos);
    EXPECT_NE(report.find("Подстанция: ПС M\r\n"), std::string::npos);
}

TEST_F(LocateCliTest, JsonWithAnotherModel)
{
    const CliRun run = Cli({"locate", cfg, "--model", (folder / "two-ended.omp").string(), "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"fault\": true"), std::string::npos);
    EXPECT_NE(run.out.find("\"on_adjacent_line\": false"), std::string::npos);
    const test::Json json = test::Json::Parse(run.out);
    EXPECT_EQ(json["phases"].String(), "C");
    EXPECT_NEAR(json["distance_km"].Number(), 71.0, 0.5);
    EXPECT_EQ(json["section"].Number(), 2.0);
    EXPECT_EQ(json["poles"].Items()[0].Number() + 1.0, json["poles"].Items()[1].Number());
    EXPECT_NEAR(json["section_distance_km"].Number(), 11.0, 0.5);
    EXPECT_EQ(json["algorithm"].Number(), 4.0);
    EXPECT_GE(json["error_percent"].Number(), 0.0);
}

TEST_F(LocateCliTest, BadModelsAreErrors)
{
    const CliRun junk = Cli({"locate", cfg, "--model", folder.Write("junk.omp", "<settings").string()});
    EXPECT_EQ(junk.code, 1);
    EXPECT_NE(junk.err.find("Неправильный формат файла"), std::string::npos) << junk.err;
    const CliRun empty = Cli({"locate", cfg, "--model", folder.Write("empty.omp", "<settings><category name=\"View\" a=\"1\"/></settings>").string()});
    EXPECT_EQ(empty.code, 1);
    EXPECT_EQ(empty.err, "Данные для определения места повреждения не введены.\n");
    EXPECT_EQ(Cli({"locate"}).code, 1);
}

} // namespace
} // namespace zarva::cli
