#include "core/formats/MappedFile.h"

#include "core/model/ZarvaException.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarva {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

} // namespace

MappedFile::MappedFile(const std::filesystem::path& path) : path_(path)
{
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        throw FileException(errno, path);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0)
        throw FileException(errno, path);
    if (S_ISDIR(info.st_mode))
        throw FileException(EISDIR, path);
    if (!S_ISREG(info.st_mode))
        throw CZarvaException(messages::kBadFileFormat, path.string());
    size_ = static_cast<std::size_t>(info.st_size);
    if (size_ == 0)
        return;
    void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd.Get(), 0);
    if (mapped == MAP_FAILED)
        throw CZarvaException(messages::kBadFileFormat, path.string());
    data_ = static_cast<char*>(mapped);
    ::madvise(data_, size_, MADV_SEQUENTIAL);
}

MappedFile::~MappedFile()
{
    if (data_ != nullptr)
        ::munmap(data_, size_);
}

void MappedFile::Advance(std::size_t offset)
{
    constexpr std::size_t kStep = std::size_t{1} << 22;
    if (data_ == nullptr)
        return;
    const std::size_t done = std::min(offset, size_) / kStep * kStep;
    if (done > released_) {
        ::madvise(data_ + released_, done - released_, MADV_DONTNEED);
        released_ = done;
    }
#ifdef MADV_POPULATE_READ
    if (offset + kStep / 2 >= populated_ && populated_ < size_) {
        const std::size_t start = std::max(populated_, done);
        const std::size_t end = std::min(size_, start + kStep);
        ::madvise(data_ + start, end - start, MADV_POPULATE_READ);
        populated_ = end;
    }
#endif
}

} // namespace zarva
