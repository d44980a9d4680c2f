// Feeds arbitrary text to the XML reader and the settings reader. Whatever the reader
// accepts, the text writer must turn into text that reads back to a tree of the same shape.
#include "core/storage/SettingsStore.h"
#include "core/storage/XmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

std::size_t CountNodes(const zarva::XmlNode& node)
{
    std::size_t count = 1;
    for (const zarva::XmlNode& child : node.children)
        count += CountNodes(child);
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    zarva::XmlDocument document;
    if (document.LoadText(text)) {
        zarva::XmlDocument again;
        if (!again.LoadText(document.root.ToText()) ||
            CountNodes(again.root) != CountNodes(document.root))
            std::abort();
    }

    zarva::SettingsStore store;
    store.LoadText(text);
    return 0;
}
