#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace zarva::fuzz {

// A folder of this process for the files a harness writes, removed when the fuzzer exits.
inline const std::filesystem::path& FolderPath(const std::string& harness)
{
    class Folder {
    public:
        explicit Folder(const std::string& name)
            : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
        {
            std::filesystem::create_directories(path_);
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
        const std::filesystem::path& Path() const { return path_; }

    private:
        std::filesystem::path path_;
    };
    static const Folder folder(harness);
    return folder.Path();
}

} // namespace zarva::fuzz
