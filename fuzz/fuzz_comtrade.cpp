// The configuration and data reader fed a configuration and a data file split from the input
// at the first line that reads "#DAT".
#include "FuzzFolder.h"
#include "core/document/Document.h"
#include "core/formats/ComtradeReader.h"

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
    return zarva::fuzz::FolderPath("zarva-fuzz");
}

void Write(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find("\n#DAT\n");
    const std::string_view cfg = input.substr(0, split);
    const std::string_view dat = split == std::string_view::npos ? std::string_view() : input.substr(split + 6);
    Write(FolderPath() / "r.cfg", cfg);
    Write(FolderPath() / "r.dat", dat);
    try {
        zarva::Document document;
        zarva::ReadComtradeFiles(document, FolderPath() / "r.cfg");
    } catch (const std::exception&) {
        // Broken records are reported to the user; only crashes, hangs and leaks matter here.
    }
    return 0;
}
