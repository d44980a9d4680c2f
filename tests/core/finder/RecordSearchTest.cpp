#include "core/finder/RecordSearch.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

namespace zarva {
namespace {

using test::RecordBuilder;
using test::TempFolder;

class RecordSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RecordBuilder builder;
        builder.Analog({.id = "Ua"}).Ramp(3);
        builder.Write(folder, "top");
        std::filesystem::create_directories(folder / "sub" / "deeper");
        builder.Write(folder, "sub/inner", ".CFG", ".DAT");
        builder.Write(folder, "sub/deeper/deep");
        folder.Write("sub/notes.txt", "text");
    }

    std::set<std::string> Find(bool recursive)
    {
        SearchOptions options{folder.Path(), recursive, {}};
        std::set<std::string> names;
        LoadProgress progress;
        EXPECT_TRUE(FindRecords(options, progress, [&](FoundRecord r) { names.insert(r.path.filename().string()); }));
        return names;
    }

    TempFolder folder;
};

TEST_F(RecordSearchTest, SubFoldersAreSearchedOnlyWhenAsked)
{
    EXPECT_EQ(Find(false), std::set<std::string>{"top.cfg"});
    EXPECT_EQ(Find(true), (std::set<std::string>{"top.cfg", "inner.CFG", "deep.cfg"}));
}

TEST_F(RecordSearchTest, MissingFolderFindsNothing)
{
    LoadProgress progress;
    int found = 0;
    EXPECT_TRUE(FindRecords({folder / "absent", true, {}}, progress, [&](FoundRecord) { ++found; }));
    EXPECT_EQ(found, 0);
}

TEST_F(RecordSearchTest, CancelStopsALongSearch)
{
    RecordBuilder builder;
    builder.Analog({.id = "Ua"}).Ramp(2);
    const std::string cfg = builder.ConfigurationText();
    for (int i = 0; i < 300; ++i)
        folder.Write("sub/many" + std::to_string(i) + ".cfg", cfg);

    // The user cancels while the search runs on its own thread, once the first record is shown.
    LoadProgress progress;
    std::atomic<int> found = 0;
    bool completed = true;
    std::thread search([&] {
        completed = FindRecords({folder.Path(), true, {}}, progress, [&](FoundRecord) {
            if (++found == 1) {
                while (!progress.CancelRequested())
                    std::this_thread::yield();
            }
        });
    });
    while (found == 0)
        std::this_thread::yield();
    progress.RequestCancel();
    search.join();
    EXPECT_FALSE(completed);
    EXPECT_EQ(found, 1);
    EXPECT_LT(progress.Position(), 10u);

    LoadProgress cancelled;
    cancelled.RequestCancel();
    EXPECT_FALSE(FindRecords({folder.Path(), true, {}}, cancelled, [&](FoundRecord) { ++found; }));
    EXPECT_EQ(found, 1);
}

} // namespace
} // namespace zarva
