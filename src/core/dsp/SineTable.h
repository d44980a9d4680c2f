#pragma once

#include <cstdint>
#include <vector>

namespace zarva {

// sin(2πk/N) and cos(2πk/N) for k = 0..N, built once and then only read.
class SineTable {
public:
    explicit SineTable(std::int32_t samplesPerPeriod);

    std::int32_t Period() const { return period_; }
    double Sin(std::int64_t k) const { return sines_[static_cast<std::size_t>(k)]; }
    double Cos(std::int64_t k) const { return cosines_[static_cast<std::size_t>(k)]; }

private:
    std::int32_t period_;
    std::vector<double> sines_;
    std::vector<double> cosines_;
};

// The table for N kept by the calling thread; rebuilt only when that thread last asked for
// another N, so measures may run on several threads at once.
const SineTable& ThreadSineTable(std::int32_t samplesPerPeriod);

} // namespace zarva
