#include "core/model/SampleStore.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace zarva {
namespace {

const std::shared_ptr<const SampleData>& NoSamples()
{
    static const std::shared_ptr<const SampleData> none = std::make_shared<const SampleData>();
    return none;
}

template <class Code>
void ReadCodes(const std::vector<Code>& codes, const SampleScale& scale, std::size_t first, std::span<double> out)
{
    const Code* from = codes.data() + first;
    for (std::size_t k = 0; k < out.size(); ++k)
        out[k] = scale.Value(from[k]);
}

std::uint32_t Load32(const unsigned char* p)
{
    std::uint32_t value = 0;
    std::memcpy(&value, p, sizeof value);
    return value;
}

} // namespace

SampleData::SampleData(std::vector<std::int16_t> codes, const SampleScale& scale)
    : form_(Form::Int16), count_(codes.size()), codes16_(std::move(codes)), scale_(scale)
{
}

SampleData::SampleData(std::vector<std::int32_t> codes, const SampleScale& scale)
    : form_(Form::Int32), count_(codes.size()), codes32_(std::move(codes)), scale_(scale)
{
}

SampleData::SampleData(std::vector<float> codes, const SampleScale& scale)
    : form_(Form::Float32), count_(codes.size()), floats_(std::move(codes)), scale_(scale)
{
}

SampleData::SampleData(std::vector<std::uint64_t> words, std::size_t count)
    : form_(Form::Bits), count_(std::min(count, words.size() * 64)), bits_(std::move(words))
{
}

SampleData::SampleData(const MappedSamples& mapped)
    : form_(Form::Mapped), count_(mapped.count), scale_(mapped.scale), mapped_(mapped)
{
}

double SampleData::MappedAt(std::size_t i) const
{
    const unsigned char* p = mapped_.first + i * mapped_.stride;
    switch (mapped_.field) {
    case MappedSamples::Field::Int16: return scale_.Value(static_cast<std::int16_t>(p[0] | p[1] << 8));
    case MappedSamples::Field::Int32: return scale_.Value(static_cast<std::int32_t>(Load32(p)));
    case MappedSamples::Field::Float32: return scale_.Value(std::bit_cast<float>(Load32(p)));
    case MappedSamples::Field::Bit: break;
    }
    return static_cast<double>((p[0] >> mapped_.bit) & 1U);
}

void SampleData::Read(std::size_t first, std::span<double> out) const
{
    switch (form_) {
    case Form::Values:
        std::copy_n(values_.begin() + static_cast<std::ptrdiff_t>(first), out.size(), out.begin());
        return;
    case Form::Int16: return ReadCodes(codes16_, scale_, first, out);
    case Form::Int32: return ReadCodes(codes32_, scale_, first, out);
    case Form::Float32: return ReadCodes(floats_, scale_, first, out);
    case Form::Bits:
        for (std::size_t k = 0; k < out.size(); ++k)
            out[k] = static_cast<double>((bits_[(first + k) / 64] >> ((first + k) % 64)) & 1U);
        return;
    case Form::Mapped:
        for (std::size_t k = 0; k < out.size(); ++k)
            out[k] = MappedAt(first + k);
        return;
    }
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
    appendable_ = true;
}

// Large arrays are backed by huge pages where the system allows it: a record of a gigabyte
// otherwise spends much of its reading time in page faults.
void AdviseHugePages(const void* data, std::size_t bytes)
{
    constexpr std::uintptr_t kHugePage = std::uintptr_t{1} << 21;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t end = begin + bytes;
    const std::uintptr_t alignedBegin = (begin + kHugePage - 1) & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
    if (end > alignedBegin + kHugePage)
        ::madvise(reinterpret_cast<void*>(alignedBegin), (end - alignedBegin) & ~(kHugePage - 1), MADV_HUGEPAGE);
#endif
}

void SampleStore::Reserve(std::size_t count)
{
    ReserveLarge(Own().values_, count);
}

// Samples shared with series derived from them, or held in another form, are copied as
// values before they change.
SampleData& SampleStore::Own()
{
    if (!appendable_ || data_.use_count() > 1) {
        std::vector<double> values(Size());
        if (data_)
            data_->Read(0, values);
        data_ = std::make_shared<SampleData>(std::move(values));
        appendable_ = true;
    }
    return const_cast<SampleData&>(*data_);
}

} // namespace zarva
