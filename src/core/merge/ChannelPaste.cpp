#include "core/merge/ChannelPaste.h"

#include "core/document/Document.h"
#include "core/document/HeaderText.h"
#include "core/model/CodePage.h"
#include "core/model/ParallelFor.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/model/Units.h"

#include <filesystem>
#include <algorithm>

namespace zarva {
namespace {

constexpr int kMergedTitle = 3272;
constexpr int kSourceRecords = 3221;
constexpr int kFirstRecord = 3048;
constexpr int kSecondRecord = 3050;

bool HasName(const Oscillogram& record, const std::string& name)
{
    for (const Channel& channel : record.channels) {
        if (channel.name == name)
            return true;
    }
    return false;
}

// The block of one source record: its number line, then each fact that is not empty.
std::string SourceBlock(int numberLine, std::initializer_list<std::string> facts)
{
    std::string block = Text(numberLine);
    for (std::string fact : facts) {
        while (!fact.empty() && (fact.back() == '\n' || fact.back() == '\r'))
            fact.pop_back();
        if (!fact.empty())
            block += "\r\n" + fact;
    }
    return block;
}

// Texts of the clipboard are UTF-8; the record keeps its 8-bit texts in its own code page.
void AdoptInto(Channel& channel, Document& document)
{
    const CodePage page = document.oscillogram.codePage;
    channel.owner = &document;
    channel.aliasName.clear();
    channel.unit8 = FromUtf8(channel.unit8, page);
    channel.phase = FromUtf8(channel.phase, page);
    channel.circuitComponent = FromUtf8(channel.circuitComponent, page);
    if (channel.IsAnalog())
        InterpretUnit(channel, page);
    if (channel.customColourSet)
        channel.colour = static_cast<Colour>(channel.customColour);
}

} // namespace

std::string FreeChannelName(const Oscillogram& record, const std::string& name)
{
    if (!HasName(record, name))
        return name;
    for (std::int64_t n = 2;; ++n) {
        std::string candidate = name + FormatText("(%i)", {n});
        if (!HasName(record, candidate))
            return candidate;
    }
}

std::string MergedHeaderText(const Oscillogram& target, const CopiedChannels& copied)
{
    const std::string own = SourceBlock(
        kFirstRecord, {DecodeText(target.headerText, target.headerCodePage), target.startText, target.recorderText,
                       target.stationText, std::filesystem::path(target.sourcePath).stem().string()});
    const std::string pasted = SourceBlock(
        kSecondRecord, {copied.headerText, copied.startTime, copied.blockId, copied.stationId, copied.title});
    return Text(kMergedTitle) + "\r\n" + Text(kSourceRecords) + "\r\n\r\n" + own + "\r\n\r\n" + pasted + "\r\n";
}

void PasteChannels(Document& document, CopiedChannels copied)
{
    Oscillogram& record = document.oscillogram;
    std::vector<Channel>& incoming = copied.channels;
    std::stable_partition(incoming.begin(), incoming.end(), [](const Channel& channel) { return channel.IsAnalog(); });
    std::size_t samples = 0;
    for (Channel& channel : incoming) {
        AdoptInto(channel, document);
        samples += channel.samples.Size();
    }
    // Before the record changes: a rate without whole samples per period refuses the paste.
    ParallelFor(incoming.size(), ThreadsFor(samples), [&](std::size_t k) { incoming[k].Recompute(); });

    document.undo.Save(document);
    for (Channel& channel : record.channels)
        channel.selected = false;
    const std::string header = MergedHeaderText(record, copied);
    for (Channel& channel : incoming) {
        channel.name = FreeChannelName(record, channel.name);
        channel.channelId = FromUtf8(channel.name, record.codePage);
        record.channels.push_back(std::move(channel));
    }
    record.RebuildFrequencyChannels();
    ApplyHeader(document, WithLineFeeds(header), record.headerCodePage);
}

} // namespace zarva
