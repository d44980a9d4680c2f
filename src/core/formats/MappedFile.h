#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace zarva {

// A whole file mapped privately (copy-on-write) for reading in place. A file of size 0 gives
// an empty view without a mapping. A missing or unreadable file raises FileException; one
// that cannot be mapped raises error 330 with its path.
class MappedFile {
public:
    explicit MappedFile(const std::filesystem::path& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::string_view Text() const { return {data_, size_}; }
    const unsigned char* Bytes() const { return reinterpret_cast<const unsigned char*>(data_); }
    std::size_t Size() const { return size_; }
    const std::filesystem::path& Path() const { return path_; }

    // A sequential reader has reached `offset`: the bytes before it are done with, so a long
    // read does not keep the whole file resident, and the next stretch is mapped in one go
    // rather than a page fault at a time.
    void Advance(std::size_t offset);

private:
    std::filesystem::path path_;
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t released_ = 0;
    std::size_t populated_ = 0;
};

} // namespace zarva
