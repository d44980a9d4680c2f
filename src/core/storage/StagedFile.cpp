#include "core/storage/StagedFile.h"

#include "core/model/ZarvaException.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zarva {
namespace {

std::filesystem::path Destination(const std::filesystem::path& target)
{
    std::error_code ignored;
    if (!std::filesystem::is_symlink(target, ignored))
        return target;
    const std::filesystem::path linked = std::filesystem::canonical(target, ignored);
    return linked.empty() ? target : linked;
}

} // namespace

StagedFile::StagedFile(const std::filesystem::path& target) : target_(target), destination_(Destination(target))
{
    std::error_code ignored;
    if (std::filesystem::is_directory(destination_, ignored))
        Fail(EISDIR);
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        path_ = destination_;
        path_ += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST)
            break;
    }
    if (descriptor_ < 0) {
        const int error = errno;
        path_.clear();
        Fail(error);
    }
    struct stat existing {};
    if (::stat(destination_.c_str(), &existing) == 0)
        ::fchmod(descriptor_, existing.st_mode & 07777);
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)), destination_(std::move(other.destination_)),
      path_(std::move(other.path_)), descriptor_(other.descriptor_)
{
    other.path_.clear();
    other.descriptor_ = -1;
}

StagedFile::~StagedFile()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
    if (!path_.empty())
        ::unlink(path_.c_str());
}

void StagedFile::Fail(int error) const
{
    throw FileException(error, target_, FileAccess::Write);
}

void StagedFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Fail(written < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void StagedFile::Finish()
{
    if (descriptor_ < 0)
        return;
    int error = ::fsync(descriptor_) == 0 ? 0 : errno;
    if (::close(descriptor_) != 0 && error == 0)
        error = errno;
    descriptor_ = -1;
    if (error != 0)
        Fail(error);
}

void StagedFile::Commit()
{
    Finish();
    if (::rename(path_.c_str(), destination_.c_str()) != 0)
        Fail(errno);
    path_.clear();
}

void CommitAll(std::vector<StagedFile>& files)
{
    for (StagedFile& file : files)
        file.Finish();
    for (StagedFile& file : files)
        file.Commit();
}

} // namespace zarva
