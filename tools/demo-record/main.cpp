// Writes the demo record into the folder given on the command line; with --second-recorder,
// the record of a second recorder of the same event instead.
#include "ComtradeOut.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    const bool second = argc == 3 && std::string_view(argv[2]) == "--second-recorder";
    if (argc != 2 && !second) {
        std::fputs("usage: demo-record FOLDER [--second-recorder]\n", stderr);
        return 2;
    }
    using namespace zarva::demo;
    const DemoParameters& parameters = second ? kSecondRecorderParameters : kDemoParameters;
    const DemoFiles files = FormatDemoRecord(parameters, Simulate(parameters));
    const std::filesystem::path base =
        std::filesystem::path(argv[1]) / (second ? "demo-110kv-ag-fault-rec2" : "demo-110kv-ag-fault");
    for (const auto& [extension, bytes] : {std::pair{".cfg", &files.cfg}, {".dat", &files.dat},
                                           {".hdr", &files.hdr}, {".set", &files.set}}) {
        std::filesystem::path path = base;
        path += extension;
        if (!WriteFile(path, *bytes)) {
            std::fprintf(stderr, "demo-record: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
