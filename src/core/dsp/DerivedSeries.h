#pragma once

#include "core/dsp/AnalogSeries.h"
#include "core/model/Series.h"
#include "core/view/MinMaxPyramid.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace zarva {

class LoadProgress;
class SeriesCache;

// What a survey of the displayed curve found.
struct CurveSurvey {
    double maxValue = -DBL_MAX;  // the channel's extremes as Recompute keeps them
    double minValue = DBL_MAX;
    std::shared_ptr<const MinMaxPyramid> pyramid;
};

// The series Recompute derives from a channel: the instantaneous values as displayed, the
// curve drawn (instantaneous, RMS or first harmonic) and the first-harmonic phasors. Values
// that need windows are computed a block of kSeriesBlock samples at a time when first asked
// for and kept in the series cache; a block comes out the same whether it is asked for alone
// or with the whole record: running sums go on from block to block, so a block far into the
// record is computed after those before it, once. Holds what it needs of the channel as it was (the samples
// shared), so the channel may change or move meanwhile, and any thread may read it.
class DerivedSeries {
public:
    // `analog` is given for an analog channel, none for a discrete one.
    DerivedSeries(const Channel& channel, std::optional<AnalogInputs> analog, SeriesCache& cache);
    ~DerivedSeries();
    DerivedSeries(const DerivedSeries&) = delete;
    DerivedSeries& operator=(const DerivedSeries&) = delete;

    // The three series, keeping `self` (this object) alive.
    static Series<double> Instant(const std::shared_ptr<const DerivedSeries>& self);
    static Series<double> Display(const std::shared_ptr<const DerivedSeries>& self);
    static Series<Phasor> Phasors(const std::shared_ptr<const DerivedSeries>& self);

    // Goes once over the displayed curve for its extremes and min/max pyramid, advancing the
    // progress by its step per sample; stops early, finding nothing, when it is cancelled.
    // Several threads may survey at once; the first result found is kept.
    void Survey(LoadProgress& progress) const;
    std::optional<CurveSurvey> Surveyed() const;

private:
    struct Block {
        std::vector<double> display;
        std::vector<Phasor> phasors;
    };
    class InstantSource;
    class DisplaySource;
    class PhasorSource;

    std::size_t Count() const;
    std::shared_ptr<const Block> BlockAt(std::size_t index) const;
    std::shared_ptr<const Block> Derive(std::size_t index, SlidingHarmonic::State& sums) const;
    void ReadInstant(std::size_t first, std::span<double> out) const;
    void ReadDisplay(std::size_t first, std::span<double> out) const;
    CurveSurvey SurveyDiscrete(LoadProgress& progress) const;
    std::optional<CurveSurvey> SurveyAnalog(LoadProgress& progress) const;

    std::shared_ptr<const SampleData> samples_;
    bool discrete_;
    bool inverted_;
    std::optional<AnalogInputs> analog_;
    double phasorScale_ = 1.0;
    std::shared_ptr<const std::vector<Phasor>> supplied_;
    SeriesCache& cache_;
    std::uint64_t owner_;
    std::unique_ptr<InstantSource> instant_;
    std::unique_ptr<DisplaySource> display_;
    std::unique_ptr<PhasorSource> phasors_;
    // The running sums at the start of each block, as far as the blocks have been derived.
    mutable std::mutex sequenceMutex_;
    mutable std::vector<SlidingHarmonic::State> blockStarts_{1};
    mutable std::mutex surveyMutex_;
    mutable std::optional<CurveSurvey> survey_;
};

} // namespace zarva
