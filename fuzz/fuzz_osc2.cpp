// Feeds arbitrary bytes to the OSC2 reader as an ".osc" file. Whatever it accepts must be a
// consistent record; everything else must be error 330 or a file error, never a crash.
#include "core/document/Document.h"
#include "core/formats/Osc2Reader.h"
#include "core/model/ZarvaException.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zarva-fuzz-" + std::to_string(::getpid()) + ".osc");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    zarva::Document document;
    try {
        zarva::ReadOsc2(document, file);
    } catch (const zarva::CZarvaException&) {
        return 0;
    } catch (const zarva::FileException&) {
        return 0;
    }
    const zarva::Oscillogram& record = document.oscillogram;
    for (const zarva::Channel& channel : record.channels) {
        if (channel.samples.Size() != record.sampleTimes.size())
            std::abort();
    }
    if (record.oscBytes.size() != size)
        std::abort();
    return 0;
}
