// Feeds arbitrary bytes to the record finder as a ".cfg", ".cff" or ".osc" head (the first byte
// chooses), and the rest as a date typed on the command line. A record it lists must carry a
// real calendar moment or none; nothing may crash.
#include "FuzzFolder.h"

#include "core/finder/RecordHead.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const char* const kNames[] = {"head.cfg", "head.cff", "head.osc"};
    const std::filesystem::path file = zarva::fuzz::FolderPath("zarva-fuzz-finder") / kNames[data[0] % 3];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const std::optional<zarva::FoundRecord> found = zarva::ReadRecordHead(file, {});
    if (found && found->start) {
        const zarva::RecordMoment& start = *found->start;
        if (start.month < 1 || start.month > 12 || start.day < 1 || start.day > 31 || start.hours > 23 ||
            start.minutes > 59 || start.seconds > 60 || zarva::IsoText(start).size() < 19)
            std::abort();
    }
    if (const std::optional<zarva::CalendarDate> date = zarva::ParseIsoDate(bytes)) {
        if (date->month < 1 || date->month > 12 || date->day < 1 || date->day > 31)
            std::abort();
    }
    return 0;
}
