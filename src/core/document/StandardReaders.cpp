#include "core/document/RecordLoader.h"

#include "core/model/ZarvaException.h"

namespace zarva {
namespace {

void NotAvailable(Document&, const std::filesystem::path& path, const LoadOptions&)
{
    throw CZarvaException(messages::kNotAvailableYet, path.string());
}

} // namespace

const RecordReaders& StandardReaders()
{
    static const RecordReaders readers{NotAvailable, NotAvailable, NotAvailable};
    return readers;
}

} // namespace zarva
