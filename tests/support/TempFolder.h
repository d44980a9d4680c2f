#pragma once

#include <filesystem>
#include <string>

namespace zarva::test {

// A fresh folder under the system's temporary path, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes bytes to a file in the folder and returns its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// The whole file, or empty when it cannot be read.
std::string FileBytes(const std::filesystem::path& path);

// The shared folder of records written by others, or empty when it is absent.
std::filesystem::path CorpusFolder();

// A text of the other reader's expected values without the padding it keeps from the
// record's fixed-width fields.
std::string Trimmed(const std::string& text);

} // namespace zarva::test
