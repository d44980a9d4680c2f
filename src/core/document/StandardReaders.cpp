#include "core/document/RecordLoader.h"

#include "core/formats/Osc2Reader.h"
#include "core/model/ZarvaException.h"

namespace zarva {
namespace {

constexpr int kSingleFileLater = 4020;

// The single-file form is split and read with the saving work.
void ReadSingleFile(Document&, const std::filesystem::path& path, const ReadOptions&)
{
    throw CZarvaException(kSingleFileLater, path.string());
}

void ReadOsc(Document& document, const std::filesystem::path& path, const ReadOptions&)
{
    ReadOsc2(document, path);
}

} // namespace

const RecordReaders& StandardReaders()
{
    static const RecordReaders readers{
        [](Document& document, const std::filesystem::path& path, const ReadOptions& options) {
            ReadComtrade(document, path, options);
        },
        ReadSingleFile, ReadOsc};
    return readers;
}

} // namespace zarva
