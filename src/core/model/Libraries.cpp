#include "core/model/Libraries.h"

#include <unicode/uversion.h>
#include <zip.h>

namespace zarva {

std::vector<LibraryNotice> CoreLibraries()
{
    UVersionInfo icu{};
    u_getVersion(icu);
    char icuText[U_MAX_VERSION_STRING_LENGTH] = {};
    u_versionToString(icu, icuText);
    return {{"ICU", icuText, "Unicode License (ICU)"},
            {"libzip", zip_libzip_version(), "BSD 3-Clause"}};
}

} // namespace zarva
