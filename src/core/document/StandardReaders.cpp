#include "core/document/RecordLoader.h"

#include "core/formats/CffFile.h"
#include "core/formats/Osc2Reader.h"

namespace zarva {

const RecordReaders& StandardReaders()
{
    static const RecordReaders readers{
        [](Document& document, const std::filesystem::path& path, const ReadOptions& options) {
            ReadComtrade(document, path, options);
        },
        [](Document& document, const std::filesystem::path& path, const ReadOptions& options) {
            ReadCff(document, path, options);
        },
        [](Document& document, const std::filesystem::path& path, const ReadOptions&) { ReadOsc2(document, path); },
    };
    return readers;
}

} // namespace zarva
