#include "core/document/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zarva {
namespace {

TEST(TemporaryFolder, EachCallMakesAFreshNamedFolderThatDeletesWithItsContent)
{
    const auto first = NewTemporaryFolder();
    const auto second = NewTemporaryFolder();
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.parent_path(), std::filesystem::temp_directory_path());
    EXPECT_EQ(first.filename().string().rfind("Zarva_", 0), 0u);
    EXPECT_EQ(first.filename().string().find_first_not_of("0123456789ABCDEF", 6), std::string::npos);

    std::filesystem::create_directories(first / "inner" / "deeper");
    std::ofstream(first / "inner" / "deeper" / "tmp_cfg.dat") << "data";
    DeleteTemporaryFolder(first);
    DeleteTemporaryFolder(second);
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(second));
    DeleteTemporaryFolder(first);
    DeleteTemporaryFolder({});
}

} // namespace
} // namespace zarva
