#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zarva {

class Oscillogram;
struct RateSegment;

// The standard sampling rate nearest to `rate`: with several rate lines at 50 or 60 Hz the
// rate bands of those line frequencies, otherwise a whole number of samples per whole period.
// 0 for a rate that is not a positive finite number.
std::int64_t SnapSampleRate(double rate, double lineFrequency, bool several);

// The record's rate in whole samples per second, for the window measures: snapped as above
// where that gives them a window of at least Oscillogram::kFewestSamplesPerPeriod samples,
// else the rate itself rounded (a slow trend record keeps its own rate). 0 for a rate that is
// not a positive finite number.
std::int64_t RecordSampleRate(double rate, double lineFrequency, bool several);

// One value per sample: the segment's rate relative to the record's rate, times the line
// frequency; 0.0 after the last segment.
std::vector<double> LineFrequencySeries(const Oscillogram& record, std::size_t sampleCount);

// True when the configuration declares the rate of every sample: it has rate lines, each with
// a positive rate. Such a record is timed by its rates; the time stamps matter only otherwise.
bool HasDeclaredRates(const Oscillogram& record);

// True when the rate lines give different positive rates, so that samples must be timed from
// each segment's own rate.
bool HasSeveralRates(const Oscillogram& record);

// The times of successive samples in microseconds, unrounded, from the rate lines: each
// sample follows the one before by the period of its own segment, at the rate as written;
// samples past the last segment keep the last segment's rate.
class SegmentClock {
public:
    explicit SegmentClock(const std::vector<RateSegment>& segments);

    // The time of the next sample, the first being 0.
    double Next();
    // The period of the segment of the sample Next last gave.
    double Period() const { return 1e6 / rate_; }

private:
    const std::vector<RateSegment>& segments_;
    std::size_t segment_ = 0;
    std::int64_t sample_ = -1;  // the sample Next last gave
    std::int64_t anchor_ = 0;   // the last sample before the current segment, or 0
    double anchorTime_ = 0.0;
    double rate_ = 0.0;
};

// Sample times in microseconds from the rate lines (SegmentClock, rounded).
std::vector<std::int64_t> TimesFromSegments(const Oscillogram& record, std::size_t sampleCount);

// Sample times in microseconds at one rate.
std::vector<std::int64_t> TimesAtRate(double rate, std::size_t sampleCount);

// Compares the time stamps of a record timed by its rates with the times of those rates,
// sample by sample, without keeping them.
class StampCheck {
public:
    explicit StampCheck(const Oscillogram& record);

    // The stamp of the next sample as written; none for a sample without one.
    void Add(std::optional<std::int64_t> stamp);
    // The largest distance in microseconds of a stamp from its sample's time when some stamp
    // lies more than half a sample period from it; else 0.
    double Excess() const { return exceeded_ ? worst_ : 0.0; }

private:
    SegmentClock clock_;
    double multiplier_;
    std::optional<bool> wrapped_;  // the first stamp decides whether stamps wrap below 0
    double worst_ = 0.0;
    bool exceeded_ = false;
};

// Stamps of recorders that count time from the trigger come as unsigned 32-bit numbers: when
// the first stamp lies in the upper half, every stamp there is negative.
std::int64_t UnwrappedStamp(std::int64_t stamp, bool wrapped);
bool StampsWrap(std::int64_t firstStamp);

// Takes `rate` (samples per second) as the record's one rate: the samples are timed by it and
// the line-frequency series holds the nominal frequency throughout. Used when the rate is
// corrected after reading.
void RetimeAtRate(Oscillogram& record, std::int32_t rate);

} // namespace zarva
