// Feeds arbitrary text to the clipboard reader, as any program may put it on the clipboard.
// What it accepts is pasted into a small record, synchronised and merged; what it refuses
// must leave the record as it was.
#include "core/document/Document.h"
#include "core/merge/ChannelPaste.h"
#include "core/merge/ClipboardDocument.h"
#include "core/merge/RecordMerge.h"
#include "core/merge/Synchronisation.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void MakeRecord(zarva::Document& document)
{
    zarva::Oscillogram& record = document.oscillogram;
    record.sampleRate = 1000;
    record.lineFrequency = 50.0;
    record.rateSegments = {{1000.0, 200}};
    record.startDate = "01/02/2020";
    record.startTime = "10:20:30.000000";
    zarva::Channel channel(zarva::ChannelKind::Analog, &document);
    channel.name = "Ia";
    std::vector<double> samples;
    for (int i = 0; i < 200; ++i) {
        record.sampleTimes.push_back(i * 1000);
        samples.push_back(i % 20 < 10 ? 1.0 : -1.0);
    }
    channel.samples.Assign(std::move(samples));
    channel.Recompute();
    record.channels.push_back(std::move(channel));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    zarva::Document document;
    MakeRecord(document);
    zarva::CopiedChannels copied;
    try {
        copied = zarva::ParseClipboardText(text);
    } catch (const zarva::CZarvaException&) {
        return 0;
    }
    const bool small = copied.times->empty() || copied.times->back() - copied.times->front() < 10000000;
    try {
        zarva::PasteChannels(document, std::move(copied));
    } catch (const zarva::CZarvaException&) {
        if (document.oscillogram.channels.size() != 1 || document.undo.UndoCount() != 0)
            std::abort();
        return 0;
    }
    for (const std::string& pasted : {std::string("Ia(2)"), std::string("U")}) {
        for (const auto method : {zarva::SyncMethod::StartTime, zarva::SyncMethod::FaultComponent,
                                  zarva::SyncMethod::Prefault}) {
            try {
                zarva::Synchronise(document, method, "Ia", pasted, 100);
            } catch (const zarva::CZarvaException&) {
            }
        }
    }
    document.merge.mergeOffset = 0.01;
    if (small) {
        try {
            zarva::MergeRecord(document);
        } catch (const zarva::CZarvaException&) {
        }
    }
    return 0;
}
