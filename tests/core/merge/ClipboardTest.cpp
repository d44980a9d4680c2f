#include "MergeTestRecord.h"

#include "core/formats/ErrorOf.h"
#include "core/merge/ChannelPaste.h"
#include "core/merge/ClipboardDocument.h"
#include "core/model/CodePage.h"
#include "core/model/StringTable.h"
#include "core/storage/XmlDocument.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarva::test {
namespace {

MergeTestRecord Source()
{
    MergeTestRecord source(1000, 4);
    source.record.stationText = "Подстанция \"Северная\" & <1>";
    source.record.recorderText = "REC-7";
    source.record.startText = "01/02/2020 10:20:30.000000";
    source.record.headerText = "Line A&B";
    source.record.lineFrequencySeries = {50.0, 50.01, 49.99, 50.0};
    Channel& ia = source.Analog("Ia \"fed\" & <1>", [](double t) { return 1000.0 * t - 1.25; });
    ia.unit8 = "kA";
    ia.phase = "A";
    ia.multiplier = 0.5;
    ia.offset = -2.0;
    ia.primary = 600.0;
    ia.secondary = 5.0;
    ia.valuesArePrimary = true;
    ia.customColourSet = true;
    ia.customColour = 0x123456;
    source.Discrete("Trip", [](double t) { return t >= 0.002 ? 1.0 : 0.0; });
    source.Analog("Unselected", [](double) { return 7.0; });
    for (Channel& channel : source.record.channels)
        channel.selected = channel.name != "Unselected";
    return source;
}

TEST(Clipboard, CopiedChannelsReadBackWithEveryFact)
{
    MergeTestRecord source = Source();
    const std::string text = ClipboardText(source.record);
    EXPECT_NE(text.find("times=\"0,1000,2000,3000\""), std::string::npos);
    EXPECT_NE(text.find("data=\"-1.250000,-0.250000,0.750000,1.750000,\""), std::string::npos);

    const CopiedChannels copied = ParseClipboardText(text);
    EXPECT_EQ(copied.sampleRate, 1000.0);
    EXPECT_EQ(*copied.times, (std::vector<std::int64_t>{0, 1000, 2000, 3000}));
    EXPECT_EQ(copied.lineFrequencies, (std::vector<double>{50.0, 50.01, 49.99, 50.0}));
    EXPECT_EQ(copied.stationId, source.record.stationText);
    EXPECT_EQ(copied.blockId, "REC-7");
    EXPECT_EQ(copied.headerText, "Line A&B");
    ASSERT_EQ(copied.channels.size(), 2U);
    const Channel& ia = copied.channels[0];
    EXPECT_EQ(ia.name, "Ia \"fed\" & <1>");
    EXPECT_EQ(ia.unit8, "kA");
    EXPECT_EQ(ia.phase, "A");
    EXPECT_EQ(ia.multiplier, 0.5);
    EXPECT_EQ(ia.offset, -2.0);
    EXPECT_EQ(ia.primary, 600.0);
    EXPECT_EQ(ia.secondary, 5.0);
    EXPECT_TRUE(ia.valuesArePrimary);
    EXPECT_TRUE(ia.customColourSet);
    EXPECT_EQ(ia.customColour, 0x123456);
    EXPECT_EQ(ia.samples, (std::vector<double>{-1.25, -0.25, 0.75, 1.75}));
    EXPECT_TRUE(ia.HasFlag(display::kPasted));
    EXPECT_EQ(ia.ownSampleRate, 1000.0);
    EXPECT_EQ(ia.pastedSource.startDate, "01/02/2020");
    EXPECT_EQ(ia.pastedSource.duration, "3000");
    EXPECT_TRUE(copied.channels[1].IsDiscrete());
    EXPECT_EQ(copied.channels[1].samples, (std::vector<double>{0, 0, 1, 1}));
}

TEST(Clipboard, ComputedAndPastedChannelsAreNotCopied)
{
    MergeTestRecord source = Source();
    source.record.calcChannels.Add("Twice", "2*Trip");
    source.record.channels.back().selected = true;
    source.record.channels[0].SetFlag(display::kPasted, true);
    const CopiedChannels copied = ParseClipboardText(ClipboardText(source.record));
    ASSERT_EQ(copied.channels.size(), 1U);
    EXPECT_EQ(copied.channels[0].name, "Trip");
}

// A document as another program writes it: attributes in its own order, a trailing comma in
// the data, more times than samples.
constexpr const char* kForeign =
    "<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n"
    "<channels num_values=\"3\" discr_frequency=\"2000\" times=\"0,500,1000,1500\" net_frequency=\"\">\r\n"
    "\t<channel name=\"U&amp;quot;1\" type=\"analog\" dimension=\"kV\" data=\"1.5,-2,3e2,\"/>\r\n"
    "</channels>\r\n";

TEST(Clipboard, ReadsWhatAnotherProgramWrites)
{
    const CopiedChannels copied = ParseClipboardText(kForeign);
    ASSERT_EQ(copied.channels.size(), 1U);
    EXPECT_EQ(copied.channels[0].name, "U\"1");
    EXPECT_EQ(copied.channels[0].samples, (std::vector<double>{1.5, -2.0, 300.0}));
    EXPECT_EQ(*copied.times, (std::vector<std::int64_t>{0, 500, 1000}));
    EXPECT_TRUE(copied.lineFrequencies.empty());
}

TEST(Clipboard, RefusesWhatDoesNotDescribeWholeChannels)
{
    const std::string good = kForeign;
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"num_values=\"3\"", "num_values=\"4\""},           // data shorter than the count
        {"num_values=\"3\"", "num_values=\"2\""},           // data longer
        {"times=\"0,500,1000,1500\"", "times=\"0,500\""},   // times shorter
        {"times=\"0,500,1000,1500\"", "times=\"0,500,400\""},
        {"1.5,-2", "1.5,x"},
        {"1.5,-2", "1.5,,-2"},
        {"num_values=\"3\"", "num_values=\"99999999999999999999\""},
        {"discr_frequency=\"2000\"", "discr_frequency=\"0\""},
        {"discr_frequency=\"2000\"", "discr_frequency=\"1e300\""},
        {"type=\"analog\"", "type=\"other\""},
        {"<channels ", "<channelz "},
        {"</channels>", "</channel>"},
    };
    for (const auto& [from, to] : faults) {
        SCOPED_TRACE(to);
        const int id = ErrorOf([&] { ParseClipboardText(with(from, to)); }).MessageId();
        EXPECT_TRUE(id == messages::kBadFileFormat || id == messages::kBadXmlFormat) << id;
    }
}

TEST(Paste, NamesAreMadeFreeAndTheHeaderNamesBothRecords)
{
    MergeTestRecord target(1000, 10);
    target.record.headerText = "Own header";
    target.Analog("Ia", [](double) { return 0.0; });
    target.Analog("Ia(2)", [](double) { return 0.0; }).selected = true;
    MergeTestRecord source(2000, 10);
    source.record.headerText = "Other header";
    source.record.recorderText = "REC-2";
    source.Analog("Ia", [](double) { return 1.0; });
    source.Analog("Ub", [](double) { return 1.0; });
    CopyAll(*source.document, *target.document);

    ASSERT_EQ(target.record.channels.size(), 4U);
    EXPECT_EQ(target.record.channels[2].name, "Ia(3)");
    EXPECT_EQ(target.record.channels[2].channelId, "Ia(3)");
    EXPECT_EQ(target.record.channels[3].name, "Ub");
    EXPECT_FALSE(target.record.channels[1].selected);
    const std::string header = DecodeText(target.record.headerText, target.record.headerCodePage);
    const std::size_t first = header.find(Text(3048));
    const std::size_t second = header.find(Text(3050));
    EXPECT_EQ(header.find(Text(3272)), 0U);
    EXPECT_LT(first, header.find("Own header"));
    EXPECT_LT(first, second);
    EXPECT_LT(second, header.find("Other header"));
    EXPECT_LT(second, header.find("REC-2"));
    EXPECT_NE(header.find("\r\n\r\n" + Text(3050)), std::string::npos);
}

TEST(Undo, StepsBackAndForthOverPastes)
{
    MergeTestRecord target(1000, 10);
    target.record.headerText = "Own";
    target.Analog("Ia", [](double) { return 0.0; });
    MergeTestRecord source(1000, 10);
    source.Analog("Ub", [](double) { return 1.0; });
    UndoHistory& undo = target.document->undo;

    CopyAll(*source.document, *target.document);
    CopyAll(*source.document, *target.document);
    EXPECT_EQ(target.record.channels.back().name, "Ub(2)");
    EXPECT_EQ(undo.UndoCount(), 2U);
    EXPECT_EQ(undo.RedoCount(), 0U);

    EXPECT_TRUE(undo.Undo(*target.document));
    EXPECT_TRUE(undo.Undo(*target.document));
    EXPECT_FALSE(undo.Undo(*target.document));
    EXPECT_EQ(target.record.channels.size(), 1U);
    EXPECT_EQ(target.record.headerText, "Own");
    EXPECT_EQ(undo.RedoCount(), 2U);

    EXPECT_TRUE(undo.Redo(*target.document));
    EXPECT_EQ(target.record.channels.size(), 2U);
    EXPECT_EQ(target.record.channels[1].samples.Size(), 10U);
    EXPECT_EQ(undo.UndoCount(), 1U);
    EXPECT_EQ(undo.RedoCount(), 1U);

    CopyAll(*source.document, *target.document);  // a new change forgets what could be redone
    EXPECT_EQ(undo.RedoCount(), 0U);
    EXPECT_FALSE(undo.Redo(*target.document));
}

} // namespace
} // namespace zarva::test
