#include "core/document/FileDispatch.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(FileDispatch, KindIsToldByTheLastFourCharactersInAnyCaseAndADataFileOpensItsConfiguration)
{
    const std::pair<const char*, FileKind> kinds[] = {
        {"/r/a.CFG", FileKind::Comtrade}, {"a.Dat", FileKind::ComtradeData}, {"запись.cff", FileKind::SingleFile},
        {"a.OSC", FileKind::Osc},         {"a.sTo", FileKind::Sto},          {"a.zip", FileKind::Zip},
        {"a.cfg.bak", FileKind::Other},   {"cfg", FileKind::Other},          {"", FileKind::Other}};
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(KindOf(name), kind) << name;

    EXPECT_EQ(RecordPathFor("/r/fault.dat"), "/r/fault.cfg");
    EXPECT_EQ(RecordPathFor("/r/fault.cfg"), "/r/fault.cfg");
    EXPECT_EQ(RecordPathFor("/r/fault.osc"), "/r/fault.osc");

    // The configuration is found in the case the folder spells it.
    const test::TempFolder folder;
    const auto upper = folder.Write("4.CFG", "x");
    const auto lower = folder.Write("mixed.cfg", "x");
    EXPECT_EQ(RecordPathFor((folder / "4.DAT").string()), upper.string());
    EXPECT_EQ(RecordPathFor((folder / "4.dat").string()), upper.string());
    EXPECT_EQ(RecordPathFor((folder / "mixed.DAT").string()), lower.string());
}

TEST(FileDispatch, ProgressDialogAppearsOnlyAboveTheThreshold)
{
    const test::TempFolder folder;
    folder.Write("small.cfg", "x");
    folder.Write("small.dat", std::string(200000, 'd'));
    folder.Write("big.CFG", "x");
    folder.Write("big.DAT", std::string(200001, 'd'));
    const auto single = folder.Write("big.cff", std::string(200001, 'c'));
    const auto oscSmall = folder.Write("small.osc", std::string(20000, 'o'));
    const auto oscBig = folder.Write("big.osc", std::string(20001, 'o'));

    EXPECT_FALSE(LoadShowsProgress((folder / "small.cfg").string()));
    EXPECT_TRUE(LoadShowsProgress((folder / "big.CFG").string()));
    EXPECT_TRUE(LoadShowsProgress(single.string()));
    EXPECT_FALSE(LoadShowsProgress(oscSmall.string()));
    EXPECT_TRUE(LoadShowsProgress(oscBig.string()));
    EXPECT_FALSE(LoadShowsProgress((folder / "missing.cfg").string()));
}

TEST(FileDispatch, ConvertedRecordsSkipTheSavePromptAndWarnWhenChanged)
{
    EXPECT_TRUE(SkipsSavePrompt("/r/a.STO"));
    EXPECT_FALSE(SkipsSavePrompt("/r/a.cfg"));
    EXPECT_TRUE(WarnsOnClose("/r/a.sto", true));
    EXPECT_FALSE(WarnsOnClose("/r/a.sto", false));
    EXPECT_FALSE(WarnsOnClose("/r/a.cfg", true));
}

TEST(FileDispatch, FilterTextsInBothForms)
{
    const auto pairs = ParseFileFilters("Все (*.cfg;*.osc)|*.cfg;*.osc|Все файлы (*.*)|*.*||");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].description, "Все (*.cfg;*.osc)");
    EXPECT_EQ(pairs[0].patterns, (std::vector<std::string>{"*.cfg", "*.osc"}));
    EXPECT_EQ(FilterExtension(pairs[0]), ".cfg");
    EXPECT_EQ(FilterExtension(pairs[1]), "");

    const auto single = ParseFileFilters("Осциллограммы OSC2 (*.osc)");
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].patterns, std::vector<std::string>{"*.osc"});
    EXPECT_TRUE(ParseFileFilters("no patterns").empty());
    EXPECT_TRUE(ParseFileFilters("").empty());
}

TEST(FileDispatch, SaveAsOffersTheFormsTheRecordCanTakeAndATypedExtensionWins)
{
    using filters::kComtrade, filters::kComtrade2013, filters::kOsc, filters::kZip;
    const auto osc = SaveAsChoiceFor("/r/a.osc", "/r/a.osc", false);
    EXPECT_EQ(osc.filterTextIds, (std::vector<int>{kComtrade, kOsc, kZip}));
    EXPECT_EQ(osc.proposedName, "/r/a.cfg");
    EXPECT_EQ(osc.selected, 0u);

    const auto zip = SaveAsChoiceFor("/r/a.cfg", "/r/a.ZIP", true);
    EXPECT_EQ(zip.filterTextIds, (std::vector<int>{kComtrade, kComtrade2013, kZip}));
    EXPECT_EQ(zip.selected, 2u);
    EXPECT_EQ(SaveAsChoiceFor("/r/a.cff", "/r/a.cff", true).selected, 1u);

    const auto sto = SaveAsChoiceFor("/r/a.sto", "/r/a.sto", false);
    EXPECT_EQ(sto.filterTextIds, (std::vector<int>{kComtrade, kZip}));
    EXPECT_EQ(sto.proposedName, "/r/a.cfg");

    const std::vector<std::string> offered{".cfg", ".cff", ".zip"};
    EXPECT_EQ(NameForFilter("/r/a", ".cfg", offered), "/r/a.cfg");
    EXPECT_EQ(NameForFilter("/r/a.CFG", ".cfg", offered), "/r/a.CFG");
    EXPECT_EQ(NameForFilter("/r/a.zip", ".cfg", offered), "/r/a.zip");
    EXPECT_EQ(NameForFilter("/r/a.cff", ".cfg", offered), "/r/a.cff");
    EXPECT_EQ(NameForFilter("/r/a.v2", ".cff", offered), "/r/a.v2.cff");
    EXPECT_EQ(NameForFilter("/r/a.osc", ".cfg", offered), "/r/a.osc.cfg");
}

} // namespace
} // namespace zarva
