// The single-file reader fed the input as a ".cff" file; a record it reads is saved in every
// data form and as a single file, so the writers meet every record the readers let through.
#include "FuzzFolder.h"
#include "core/document/Document.h"
#include "core/formats/CffFile.h"
#include "core/formats/ComtradeWriter.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

const std::filesystem::path& FolderPath()
{
    return zarva::fuzz::FolderPath("zarva-fuzz-cff");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path input = FolderPath() / "in.cff";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    zarva::Document document;
    try {
        zarva::ReadCff(document, input);
    } catch (const std::exception&) {
        return 0;  // broken records are reported to the user
    }
    for (const char* type : {"ASCII", "BINARY", "binary32", "FLOAT32"}) {
        try {
            zarva::SaveComtrade(document, FolderPath() / "out.cfg", {type});
            zarva::SaveCff(document, FolderPath() / "out.cff", {type});
        } catch (const std::exception&) {
            // A refusal (revision before 2013) is a message, not a crash.
        }
    }
    return 0;
}
