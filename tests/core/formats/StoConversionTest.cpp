#include "core/formats/StoConversion.h"

#include "ErrorOf.h"
#include "core/document/TemporaryFolder.h"
#include "core/formats/ComtradeConverter.h"

#include "support/FakeConverter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace zarva {
namespace {

using Calls = std::vector<std::string>;

class StoConversion : public ::testing::Test {
protected:
    StoConversion()
    {
        sto = records.Write("fault.sto", test::FakeStoText(7, 3));
        setup.makeConverter = [this](std::size_t size, ConversionProgress* progress) {
            auto converter = std::make_unique<test::FakeConverter>(size, progress, &calls);
            converter->failConversionWith = failWith;
            return converter;
        };
    }

    ~StoConversion() override
    {
        if (!tempFolder.empty())
            DeleteTemporaryFolder(tempFolder);
    }

    // The error of an open that may ask the user.
    CZarvaException OpenError(const std::filesystem::path& record)
    {
        return test::ErrorOf([&] { ConvertSto(record, setup, &tempFolder); });
    }

    bool Called(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    std::filesystem::path ConvertedFolder() const
    {
        for (const std::string& call : calls) {
            if (call.rfind("into ", 0) == 0)
                return call.substr(5);
        }
        return {};
    }

    test::TempFolder records;
    test::TempFolder descriptions;
    std::filesystem::path sto;
    std::filesystem::path tempFolder;  // of an open that may ask the user
    StoConversionSetup setup;
    Calls calls;
    std::string failWith;
};

TEST_F(StoConversion, FirstCompatibleDescriptionBesideTheRecordIsUsedInOrder)
{
    records.Write("a.dst", test::FakeDstText(7, 2));
    records.Write("b.DST", test::FakeDstText(7, 3));
    records.Write("c.dst", test::FakeDstText(7, 3));
    const auto cfg = ConvertSto(sto, setup, &tempFolder);

    const Calls expected{"create " + std::to_string(std::filesystem::file_size(sto)),
                         "header", "check a.dst", "check b.DST", "xml b.DST",
                         "convert fault " + std::to_string(std::filesystem::file_size(sto)) + " 24 2"};
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6), expected);
    EXPECT_EQ(cfg, tempFolder / "fault.cfg");
    EXPECT_TRUE(std::filesystem::is_regular_file(cfg));
    EXPECT_TRUE(std::filesystem::is_regular_file(tempFolder / "fault.dat"));
}

TEST_F(StoConversion, DescriptionFolderIsSearchedAfterTheRecordsOwn)
{
    records.Write("old.dst", test::FakeDstText(1, 1));
    descriptions.Write("match.dst", test::FakeDstText(7, 3));
    setup.dstFolder = descriptions.Path();
    const auto cfg = ConvertSto(sto, setup);
    EXPECT_TRUE(Called("xml match.dst"));
    EXPECT_TRUE(std::filesystem::is_regular_file(cfg));
    DeleteTemporaryFolder(cfg.parent_path());
}

TEST_F(StoConversion, CommandLineDescriptionServesOnlyAnInteractiveOpen)
{
    setup.commandLineDst = descriptions.Write("given.dst", test::FakeDstText(7, 3)).string();
    EXPECT_TRUE(ConvertSto(sto, setup).empty());
    EXPECT_TRUE(Called("header"));

    calls.clear();
    EXPECT_FALSE(ConvertSto(sto, setup, &tempFolder).empty());
    EXPECT_FALSE(Called("header"));
    EXPECT_TRUE(Called("xml given.dst"));
}

TEST_F(StoConversion, UserPicksTheDescriptionWhenNoneFits)
{
    EXPECT_TRUE(ConvertSto(sto, setup, &tempFolder).empty()) << "no chooser: nothing to convert with";

    setup.chooseDst = [] { return std::filesystem::path(); };
    EXPECT_TRUE(ConvertSto(sto, setup, &tempFolder).empty()) << "cancelled";
    EXPECT_TRUE(tempFolder.empty());

    const auto wrong = descriptions.Write("wrong.dst", test::FakeDstText(9, 9));
    setup.chooseDst = [&] { return wrong; };
    EXPECT_EQ(OpenError(sto).MessageId(), 135);

    const auto right = descriptions.Write("right.dst", test::FakeDstText(7, 3));
    setup.chooseDst = [&] { return right; };
    EXPECT_FALSE(ConvertSto(sto, setup, &tempFolder).empty());
}

TEST_F(StoConversion, FailuresRaiseWhenInteractiveAndGiveNothingOtherwise)
{
    records.Write("fault.dst", test::FakeDstText(7, 3));
    const auto missing = records / "absent.sto";
    const CZarvaException error = OpenError(missing);
    EXPECT_EQ(error.MessageId(), messages::kFileReadError);
    EXPECT_NE(std::string(error.what()).find(missing.string()), std::string::npos);
    EXPECT_EQ(std::string(error.what()).find("%s"), std::string::npos);
    EXPECT_TRUE(ConvertSto(missing, setup).empty());

    failWith = "bad block 17";
    EXPECT_NE(std::string(OpenError(sto).what()).find("bad block 17"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(tempFolder)) << "the open deletes it";

    calls.clear();
    EXPECT_TRUE(ConvertSto(sto, setup).empty());
    EXPECT_FALSE(std::filesystem::exists(ConvertedFolder()));
}

TEST_F(StoConversion, MissingConverterLibraryIsAClearError)
{
    setup.makeConverter = nullptr;
    EXPECT_EQ(OpenError(sto).MessageId(), messages::kConverterMissing);
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

TEST(ConverterPlugin, MissingLibraryGivesNoConverterAndABrokenOneAClearError)
{
    const test::TempFolder folder;
    EXPECT_FALSE(LoadConverterPlugin(folder.Path()));
    folder.Write(kConverterPluginName, "not a shared library");
    const CZarvaException error = test::ErrorOf([&] { LoadConverterPlugin(folder.Path()); });
    EXPECT_EQ(error.MessageId(), messages::kConverterNotLoaded);
    EXPECT_NE(std::string(error.what()).find(kConverterPluginName), std::string::npos);
}

} // namespace
} // namespace zarva
