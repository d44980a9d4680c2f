#pragma once

#include "core/model/Series.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <vector>

namespace zarva {

// The value of a code x of a channel with multiplier a and offset b: COMTRADE's a·x + b in the
// unit as written, times the prefix factor of that unit, so that values are kept in base units.
inline double ValueOfCode(double code, double multiplier, double offset, double unitFactor)
{
    return unitFactor * (multiplier * code + offset);
}

// Tells the system that `bytes` at `data` are a large array worth huge pages.
void AdviseHugePages(const void* data, std::size_t bytes);

// Reserves room for `count` values in one array that may be large.
template <class T>
void ReserveLarge(std::vector<T>& values, std::size_t count)
{
    values.reserve(count);
    AdviseHugePages(values.data(), values.capacity() * sizeof(T));
}

// How the codes of an analog channel become values; the code `missing` marks a value that is
// missing (NaN, which no code equals, when there is none).
struct SampleScale {
    double multiplier = 1.0;
    double offset = 0.0;
    double unitFactor = 1.0;
    double missing = std::numeric_limits<double>::quiet_NaN();

    double Value(double code) const
    {
        return code == missing ? std::numeric_limits<double>::quiet_NaN()
                               : ValueOfCode(code, multiplier, offset, unitFactor);
    }
};

// Samples read in place from a data file mapped into memory: sample i of the channel is the
// field at first + i × stride, a little-endian integer or float, or one bit of a byte.
struct MappedSamples {
    enum class Field : std::uint8_t { Int16, Int32, Float32, Bit };

    std::shared_ptr<const void> file;  // keeps the mapping
    const unsigned char* first = nullptr;
    std::size_t stride = 0;
    std::size_t count = 0;
    Field field = Field::Int16;
    unsigned bit = 0;
    SampleScale scale;
};

// A channel's samples in the form the file holds them, read through the series interface:
// values as doubles, the codes of an analog channel with their scale (each value computed
// when read, the same double a reader converting the code would store), a status channel's
// states as bits, or fields read in place from a mapped data file.
class SampleData final : public SeriesSource<double> {
public:
    enum class Form : std::uint8_t { Values, Int16, Int32, Float32, Bits, Mapped };

    SampleData() = default;
    explicit SampleData(std::vector<double> values) : values_(std::move(values)) {}
    SampleData(std::vector<std::int16_t> codes, const SampleScale& scale);
    SampleData(std::vector<std::int32_t> codes, const SampleScale& scale);
    SampleData(std::vector<float> codes, const SampleScale& scale);
    // States 0 and 1, bit i % 64 of words[i / 64].
    SampleData(std::vector<std::uint64_t> words, std::size_t count);
    explicit SampleData(const MappedSamples& mapped);

    Form Kind() const { return form_; }

    std::size_t Size() const override { return form_ == Form::Values ? values_.size() : count_; }
    double At(std::size_t i) const override
    {
        switch (form_) {
        case Form::Values: return values_[i];
        case Form::Int16: return scale_.Value(codes16_[i]);
        case Form::Int32: return scale_.Value(codes32_[i]);
        case Form::Float32: return scale_.Value(floats_[i]);
        case Form::Bits: return static_cast<double>((bits_[i / 64] >> (i % 64)) & 1U);
        case Form::Mapped: return MappedAt(i);
        }
        return 0.0;
    }
    void Read(std::size_t first, std::span<double> out) const override;
    std::span<const double> Held() const override { return values_; }
    // The states of a status channel held as bits (see the constructor); empty otherwise.
    std::span<const std::uint64_t> BitWords() const
    {
        return form_ == Form::Bits ? std::span<const std::uint64_t>(bits_) : std::span<const std::uint64_t>();
    }

private:
    friend class SampleStore;
    double MappedAt(std::size_t i) const;

    Form form_ = Form::Values;
    std::size_t count_ = 0;  // of the forms other than values
    std::vector<double> values_;
    std::vector<std::int16_t> codes16_;
    std::vector<std::int32_t> codes32_;
    std::vector<float> floats_;
    std::vector<std::uint64_t> bits_;
    SampleScale scale_;
    MappedSamples mapped_;
};

// The samples of one channel: values in base units (analog) or 0.0 / 1.0 (discrete). The
// series derived from them share them, so a change gives the channel new samples and leaves
// what was derived before with the samples it came from.
class SampleStore {
public:
    SampleStore() = default;
    explicit SampleStore(std::vector<double> values) { Assign(std::move(values)); }

    std::size_t Size() const { return data_ ? data_->Size() : 0; }
    bool Empty() const { return Size() == 0; }
    double At(std::size_t i) const { return data_->At(i); }
    double operator[](std::size_t i) const { return At(i); }
    // The samples as a series; it keeps them as they are now.
    Series<double> View() const;
    // The samples as they are now, shared with the caller.
    std::shared_ptr<const SampleData> Data() const;
    // The samples, for the measures' inner loops; valid until they change.
    const SampleData& Get() const;

    void Assign(std::vector<double> values);
    // Samples in another form than values (codes, bits, mapped fields).
    void Assign(std::shared_ptr<const SampleData> data)
    {
        data_ = std::move(data);
        appendable_ = false;
    }
    // Appending keeps the samples as values, converting them first when they are held
    // otherwise.
    void Reserve(std::size_t count);
    void Append(double value) { Own().values_.push_back(value); }

    // Sample by sample, NaN unequal to itself as in a vector of doubles.
    friend bool operator==(const SampleStore& a, const std::vector<double>& b) { return a.View().ToVector() == b; }
    friend bool operator==(const SampleStore& a, const SampleStore& b) { return a == b.View().ToVector(); }

private:
    SampleData& Own();

    std::shared_ptr<const SampleData> data_;
    bool appendable_ = false;  // data_ is values this store made and may change while unshared
};

} // namespace zarva
