#include "core/formats/ComtradeConverter.h"
#include "core/model/ZarvaException.h"

#include "support/FakeConverter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zarva {
namespace {

TEST(ConverterPlugin, MissingLibraryGivesNoConverter)
{
    const test::TempFolder folder;
    EXPECT_FALSE(LoadConverterPlugin(folder.Path()));
}

TEST(ConverterPlugin, InstalledLibraryMakesWorkingConverters)
{
    const ConverterFactory factory = LoadConverterPlugin(ZARVA_FAKE_PLUGIN_DIR);
    ASSERT_TRUE(factory);
    const auto converter = factory(10, nullptr);
    ASSERT_NE(converter, nullptr);
    std::istringstream sto(test::FakeStoText(7, 3));
    std::uint16_t type = 0;
    std::uint32_t version = 0;
    EXPECT_TRUE(converter->GetInfoFromStoHeader(sto, type, version));
    EXPECT_EQ(type, 7);
    EXPECT_EQ(version, 3u);
}

TEST(ConverterPlugin, BrokenLibraryIsAClearError)
{
    const test::TempFolder folder;
    folder.Write(kConverterPluginName, "not a shared library");
    try {
        LoadConverterPlugin(folder.Path());
        FAIL() << "no error";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), messages::kConverterNotLoaded);
        EXPECT_NE(std::string(error.what()).find(kConverterPluginName), std::string::npos);
    }
}

} // namespace
} // namespace zarva
