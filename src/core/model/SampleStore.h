#pragma once

#include "core/model/Series.h"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace zarva {

// A channel's samples, read through the series interface.
class SampleData final : public SeriesSource<double> {
public:
    SampleData() = default;
    explicit SampleData(std::vector<double> values) : values_(std::move(values)) {}

    std::size_t Size() const override { return values_.size(); }
    double At(std::size_t i) const override { return values_[i]; }
    void Read(std::size_t first, std::span<double> out) const override;
    std::span<const double> Held() const override { return values_; }

private:
    friend class SampleStore;
    std::vector<double> values_;
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
    // The samples as a series; it keeps them as they are now.
    Series<double> View() const;
    // The samples as they are now, shared with the caller.
    std::shared_ptr<const SampleData> Data() const;
    // The samples, for the measures' inner loops; valid until they change.
    const SampleData& Get() const;

    void Assign(std::vector<double> values);
    void Reserve(std::size_t count);
    void Append(double value) { Own().values_.push_back(value); }
    // Grows the samples by `count` and returns where the new ones go.
    double* Extend(std::size_t count);

private:
    SampleData& Own();

    std::shared_ptr<SampleData> data_;
};

} // namespace zarva
