#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace zarva {

// A file written under a temporary name beside its target and renamed over the target only
// when complete, so that a failure at any point leaves the target as it was. A symbolic
// link is followed and the target's permissions are kept. Every failure raises
// FileException (writing) with the target's path; a target that is a folder is refused at
// once. An uncommitted file is removed.
class StagedFile {
public:
    explicit StagedFile(const std::filesystem::path& target);
    ~StagedFile();
    StagedFile(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    StagedFile& operator=(StagedFile&&) = delete;

    void Write(std::string_view bytes);
    // Flushes the bytes to the disk and closes the file.
    void Finish();
    // Renames the finished file over the target.
    void Commit();

    const std::filesystem::path& Target() const { return target_; }

private:
    [[noreturn]] void Fail(int error) const;

    std::filesystem::path target_;       // as the caller named it, for messages
    std::filesystem::path destination_;  // the file a link points to, else the target
    std::filesystem::path path_;         // the temporary file; empty once committed
    int descriptor_ = -1;
};

// Finishes every file, then commits them in order: a write that fails leaves all targets
// as they were.
void CommitAll(std::vector<StagedFile>& files);

} // namespace zarva
