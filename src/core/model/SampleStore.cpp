#include "core/model/SampleStore.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

namespace zarva {
namespace {

const std::shared_ptr<const SampleData>& NoSamples()
{
    static const std::shared_ptr<const SampleData> none = std::make_shared<const SampleData>();
    return none;
}

} // namespace

void SampleData::Read(std::size_t first, std::span<double> out) const
{
    std::copy_n(values_.begin() + static_cast<std::ptrdiff_t>(first), out.size(), out.begin());
}

Series<double> SampleStore::View() const
{
    return Series<double>(Data());
}

std::shared_ptr<const SampleData> SampleStore::Data() const
{
    return data_ ? data_ : NoSamples();
}

const SampleData& SampleStore::Get() const
{
    return data_ ? *data_ : *NoSamples();
}

void SampleStore::Assign(std::vector<double> values)
{
    data_ = std::make_shared<SampleData>(std::move(values));
}

// Large arrays are backed by huge pages where the system allows it: a record of a gigabyte
// otherwise spends much of its reading time in page faults.
void SampleStore::Reserve(std::size_t count)
{
    std::vector<double>& values = Own().values_;
    values.reserve(count);
    constexpr std::uintptr_t kHugePage = std::uintptr_t{1} << 21;
    const auto begin = reinterpret_cast<std::uintptr_t>(values.data());
    const std::uintptr_t end = begin + values.capacity() * sizeof(double);
    const std::uintptr_t alignedBegin = (begin + kHugePage - 1) & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
    if (end > alignedBegin + kHugePage)
        ::madvise(reinterpret_cast<void*>(alignedBegin), (end - alignedBegin) & ~(kHugePage - 1), MADV_HUGEPAGE);
#endif
}

double* SampleStore::Extend(std::size_t count)
{
    std::vector<double>& values = Own().values_;
    const std::size_t old = values.size();
    values.resize(old + count);
    return values.data() + old;
}

// Samples shared with series derived from them are copied before they change.
SampleData& SampleStore::Own()
{
    if (!data_)
        data_ = std::make_shared<SampleData>();
    else if (data_.use_count() > 1)
        data_ = std::make_shared<SampleData>(data_->values_);
    return *data_;
}

} // namespace zarva
