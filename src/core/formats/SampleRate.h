#pragma once

#include <cstdint>
#include <vector>

namespace zarva {

class Oscillogram;

// The standard sampling rate nearest to `rate`: with several rate lines at 50 or 60 Hz the
// rate bands of those line frequencies, otherwise a whole number of samples per whole period.
// 0 for a rate that is not a positive finite number.
std::int64_t SnapSampleRate(double rate, double lineFrequency, bool several);

// One value per sample: the segment's rate relative to the record's rate, times the line
// frequency; 0.0 after the last segment.
std::vector<double> LineFrequencySeries(const Oscillogram& record, std::size_t sampleCount);

// True when the rate lines give different positive rates, so that samples must be timed from
// each segment's own rate.
bool HasSeveralRates(const Oscillogram& record);

// Sample times in microseconds from the rate lines: each sample follows the one before by the
// period of its own segment; samples past the last segment keep the last segment's rate.
std::vector<std::int64_t> TimesFromSegments(const Oscillogram& record, std::size_t sampleCount);

// Sample times in microseconds at one rate.
std::vector<std::int64_t> TimesAtRate(double rate, std::size_t sampleCount);

} // namespace zarva
