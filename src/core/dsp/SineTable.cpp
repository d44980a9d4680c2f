#include "core/dsp/SineTable.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace zarva {

SineTable::SineTable(std::int32_t samplesPerPeriod) : period_(samplesPerPeriod)
{
    const std::size_t size = static_cast<std::size_t>(samplesPerPeriod) + 1;
    sines_.resize(size);
    cosines_.resize(size);
    for (std::size_t k = 0; k < size; ++k) {
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(k) / samplesPerPeriod;
        sines_[k] = std::sin(angle);
        cosines_[k] = std::cos(angle);
    }
}

const SineTable& ThreadSineTable(std::int32_t samplesPerPeriod)
{
    thread_local std::optional<SineTable> table;
    if (!table || table->Period() != samplesPerPeriod)
        table.emplace(samplesPerPeriod);
    return *table;
}

} // namespace zarva
