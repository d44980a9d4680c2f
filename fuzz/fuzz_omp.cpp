// Arbitrary bytes as a fault-location settings file: loaded, validated, and computed on a
// small record of two stations. Any outcome but a crash or a hang is fine; the errors raised
// must be the system's own.
#include "FuzzFolder.h"
#include "core/document/Document.h"
#include "core/faultloc/FaultLocator.h"
#include "core/faultloc/LocatorText.h"
#include "core/faultloc/ModelValidation.h"
#include "core/faultloc/OmpFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string_view>

namespace {

// 1 kHz, 20 samples per period, 0.2 s: a load, then a fault on phase A at 0.1 s.
zarva::Document& SmallRecord()
{
    static zarva::Document document;
    zarva::Oscillogram& record = document.oscillogram;
    if (!record.channels.empty())
        return document;
    record.sampleRate = 1000;
    record.rateSegments = {{1000.0, 200}};
    const char* names[] = {"Ia", "Ib", "Ic", "Ua", "Ub", "Uc", "Ia2", "Ib2", "Ic2", "Ua2", "Ub2", "Uc2", "I0"};
    for (std::size_t c = 0; c < std::size(names); ++c) {
        zarva::Channel channel(zarva::ChannelKind::Analog, &document);
        channel.name = channel.channelId = names[c];
        const bool current = names[c][0] == 'I';
        for (int n = 0; n < 200; ++n) {
            const double angle = 2.0 * std::numbers::pi * (n / 20.0 - static_cast<double>(c % 3) / 3.0);
            const double size = current ? (n >= 100 && c % 3 == 0 ? 2000.0 : 300.0) : (n >= 100 && c % 3 == 0 ? 3e4 : 9e4);
            channel.samples.Append(size * std::sin(angle - (current ? 1.2 : 0.0)));
        }
        record.channels.push_back(std::move(channel));
    }
    record.sampleTimes.resize(200);
    for (zarva::Channel& channel : record.channels)
        channel.Recompute();
    return document;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path path = zarva::fuzz::FolderPath("zarva-fuzz-omp") / "line.omp";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
    zarva::WrongPlaceLocatorData::LineModel model;
    try {
        zarva::LoadOmpFile(model, path);
    } catch (const zarva::FileException&) {
        return 0;  // an empty input
    }
    zarva::Validate(model);
    try {
        const zarva::Location location = zarva::LocateFaultInRecord(SmallRecord().oscillogram, model);
        zarva::ResultText(location.result);
        zarva::ReportText(location.result, model, SmallRecord().oscillogram, "r.cfg");
    } catch (const zarva::CZarvaException&) {
    }
    return 0;
}
