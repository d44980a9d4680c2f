#include "CliRun.h"
#include "core/model/CodePage.h"
#include "support/Json.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

namespace zarva::cli {
namespace {

using test::Json;
using test::RecordBuilder;

class FindCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder / "sub");
        RecordBuilder north;
        north.Station(FromUtf8("Северная", CodePage::Windows1251), "R1")
            .Analog({.id = "Ua"})
            .Start("13/02/2021", "10:00:00.25")
            .Ramp(2);
        north.Write(folder, "north");
        RecordBuilder south;
        south.Station("South", "R2").Analog({.id = "Ua"}).Start("02/13/2022", "11:00:00").Ramp(2);
        folder.Write("sub/south.cfg", south.ConfigurationText());
    }

    std::vector<std::string> Paths(const std::vector<std::string>& options)
    {
        std::vector<std::string> words = {"find", folder.Path().string(), "--json"};
        words.insert(words.end(), options.begin(), options.end());
        const CliRun run = Cli(words);
        EXPECT_EQ(run.code, 0) << run.err;
        std::vector<std::string> paths;
        const Json records = Json::Parse(run.out);
        for (const Json& record : records.Items())
            paths.push_back(std::filesystem::path(record["path"].String()).filename().string());
        return paths;
    }

    test::TempFolder folder;
};

TEST_F(FindCommandTest, JsonListsRecordsNewestFirstWithTheirFacts)
{
    const CliRun run = Cli({"find", folder.Path().string(), "--recursive", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json::Array records = Json::Parse(run.out).Items();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]["path"].String(), (folder / "sub" / "south.cfg").string());
    EXPECT_EQ(records[0]["start"].String(), "2022-02-13T11:00:00");
    EXPECT_EQ(records[1]["type"].String(), "cfg");
    EXPECT_EQ(records[1]["station"].String(), "Северная");
    EXPECT_EQ(records[1]["recorder"].String(), "R1");
    EXPECT_EQ(records[1]["start"].String(), "2021-02-13T10:00:00.25");
}

TEST_F(FindCommandTest, FiltersAndTextLines)
{
    EXPECT_EQ(Paths({}), std::vector<std::string>{"north.cfg"});
    EXPECT_EQ(Paths({"--recursive", "--station", "South"}), std::vector<std::string>{"south.cfg"});
    EXPECT_EQ(Paths({"--recursive", "--recorder", "R1"}), std::vector<std::string>{"north.cfg"});
    EXPECT_EQ(Paths({"--recursive", "--from", "2021-02-14"}), std::vector<std::string>{"south.cfg"});
    EXPECT_EQ(Paths({"--recursive", "--to", "2021-02-13"}), std::vector<std::string>{"north.cfg"});
    EXPECT_EQ(Paths({"--recursive", "--to", "2020-12-31"}), std::vector<std::string>{});

    const CliRun text = Cli({"find", folder.Path().string()});
    EXPECT_EQ(text.out, (folder / "north.cfg").string() + "\tcfg\tСеверная\tR1\t2021-02-13T10:00:00.25\n");
}

TEST_F(FindCommandTest, WrongDatesAndMissingFoldersFail)
{
    const CliRun date = Cli({"find", folder.Path().string(), "--from", "13.02.2021"});
    EXPECT_EQ(date.code, 1);
    EXPECT_NE(date.err.find("13.02.2021"), std::string::npos);
    const CliRun missing = Cli({"find", (folder / "absent").string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("absent"), std::string::npos);
}

} // namespace
} // namespace zarva::cli
