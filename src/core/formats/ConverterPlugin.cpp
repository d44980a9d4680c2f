#include "core/formats/ComtradeConverter.h"

#include "core/model/ZarvaException.h"

#include <dlfcn.h>

namespace zarva {

ConverterFactory LoadConverterPlugin(const std::filesystem::path& folder)
{
    const std::filesystem::path library = folder / kConverterPluginName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(library, error))
        return {};
    // The library stays loaded for the life of the process: converters it made may outlive
    // any one open.
    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw CZarvaException(messages::kConverterNotLoaded, library.string() + ": " + ::dlerror());
    auto* create = reinterpret_cast<CreateConverterFunction>(::dlsym(handle, kCreateConverterSymbol));
    if (create == nullptr)
        throw CZarvaException(messages::kConverterNotLoaded, library.string() + ": " + kCreateConverterSymbol);
    return [create](std::size_t fileSize, ConversionProgress* progress) {
        return std::unique_ptr<ComtradeConverter>(create(fileSize, progress));
    };
}

} // namespace zarva
