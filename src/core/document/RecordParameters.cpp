#include "core/document/RecordParameters.h"

#include "core/document/Document.h"
#include "core/document/Recompute.h"
#include "core/faultloc/FaultLocator.h"
#include "core/formats/SampleRate.h"
#include "core/formats/SettingsFile.h"
#include "core/storage/SettingsSection.h"

#include <algorithm>

namespace zarva {
namespace {

// The location shown in the record's result channels follows the samples it came from.
void LocateAgain(Document& document)
{
    Oscillogram& record = document.oscillogram;
    const bool located = std::ranges::any_of(record.channels, [](const Channel& c) { return c.name == kDistanceChannel; });
    if (located)
        AddResultChannels(record, LocateFaultInRecord(record, document.lineModel));
}

} // namespace

std::vector<std::int32_t> CorrectableRates(double lineFrequency)
{
    if (lineFrequency == 50.0) {
        return {160000, 80000, 40000, 32000, 20000, 19200, 16000, 10000, 9600, 8000, 6400, 5000, 4800, 4000,
                3200,   2500,  2400,  2000,  1600,  1200,  1000,  800,   600,  500,  400,  300,  200};
    }
    if (lineFrequency == 60.0) {
        return {192000, 96000, 48000, 38400, 24000, 23040, 19200, 11520, 9600, 7680, 6000, 5760, 4800, 3840,
                3360,   3000,  2880,  2400,  1920,  1440,  1200,  960,   720,  600,  480,  360,  240};
    }
    return {};
}

bool CorrectSampleRate(Document& document, std::int32_t rate)
{
    Oscillogram& record = document.oscillogram;
    if (rate <= 0 || rate == record.sampleRate)
        return false;
    document.undo.Save(document);
    RetimeAtRate(record, rate);
    RecomputeAll(document);
    LocateAgain(document);
    return true;
}

bool ChangeFrequencyReference(Document& document, int reference)
{
    const int count = static_cast<int>(document.oscillogram.frequencyChannels.size());
    if (reference < 0 || reference > count || reference == document.frequencyReference)
        return false;
    document.frequencyReference = reference;
    RecomputeAll(document);
    return true;
}

bool ChangeCodePage(Document& document, CodePage page)
{
    Oscillogram& record = document.oscillogram;
    if (page == record.codePage && page == record.headerCodePage)
        return false;
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        const Channel& channel = record.channels[i];
        if (!channel.aliasName.empty() || record.calcChannels.Computes(channel.name))
            continue;
        if (std::string name = DecodeText(channel.channelId, page); name != channel.name)
            record.calcChannels.RenameChannel(i, name);
    }
    record.ApplyCodePage(page);
    record.headerCodePage = page;
    document.settings.Section(kOscillogramSection).SetInt(kCodePageKey, CodePageSetting(page));
    document.settings.Section(kCommentsSection).SetInt(kCodePageKey, CodePageSetting(page));
    record.calcChannels.Compute();
    return true;
}

} // namespace zarva
