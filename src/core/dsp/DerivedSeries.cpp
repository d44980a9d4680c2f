#include "core/dsp/DerivedSeries.h"

#include "core/document/LoadProgress.h"
#include "core/dsp/SeriesCache.h"
#include "core/dsp/SlidingHarmonic.h"

#include <algorithm>

namespace zarva {

namespace {

double DiscreteShown(double sample, bool inverted)
{
    return inverted ? (sample == 0.0 ? 1.0 : 0.0) : sample;
}

// A series of this object's own, for its own use while it lives.
Series<double> Unowned(const SeriesSource<double>* source)
{
    return Series<double>(std::shared_ptr<const SeriesSource<double>>(std::shared_ptr<const void>(), source));
}

// The survey of a curve from its pyramid: the extremes are the pyramid's but for ±DBL_MAX,
// which they leave out.
CurveSurvey SurveyOf(std::shared_ptr<const MinMaxPyramid> pyramid, const Series<double>& shown)
{
    const ValueSpan all = pyramid->All();
    Extremes extremes;
    if (all.high == DBL_MAX || all.low == -DBL_MAX) {
        shown.ForEachBlock(0, shown.Size(), [&](std::size_t, std::span<const double> values) {
            for (const double value : values)
                extremes.Add(value);
        });
    } else if (!all.Empty()) {
        extremes = {all.high, all.low};
    }
    return CurveSurvey{extremes.high, extremes.low, std::move(pyramid)};
}

struct StatesSeen {
    bool zero = false;
    bool nonZero = false;
};

// The whole first-level blocks of a status channel held as bits, taken a word at a time
// rather than a value at a time; gives how many samples it took. States of 0 and 1 only, so
// counting the first sample among those seen changes no extreme.
std::size_t AddBitBlocks(std::span<const std::uint64_t> words, std::size_t count, bool inverted,
                         MinMaxPyramid::Builder& pyramid, StatesSeen& seen)
{
    constexpr std::size_t kWordsPerBlock = MinMaxPyramid::kFirstBlock / 64;
    const std::size_t blocks = words.empty() ? 0 : count / MinMaxPyramid::kFirstBlock;
    for (std::size_t block = 0; block < blocks; ++block) {
        std::uint64_t ones = 0;
        std::uint64_t zeros = 0;
        for (const std::uint64_t word : words.subspan(block * kWordsPerBlock, kWordsPerBlock)) {
            ones |= word;
            zeros |= ~word;
        }
        seen.nonZero |= ones != 0;
        seen.zero |= zeros != 0;
        const bool showsOne = inverted ? zeros != 0 : ones != 0;
        const bool showsZero = inverted ? ones != 0 : zeros != 0;
        pyramid.AddBlock({showsZero ? 0.0 : 1.0, showsOne ? 1.0 : 0.0});
    }
    return blocks * MinMaxPyramid::kFirstBlock;
}

} // namespace

class DerivedSeries::InstantSource final : public SeriesSource<double> {
public:
    explicit InstantSource(const DerivedSeries& owner) : owner_(owner) {}
    std::size_t Size() const override { return owner_.Count(); }
    double At(std::size_t i) const override
    {
        const double sample = owner_.samples_->At(i);
        if (owner_.discrete_)
            return DiscreteShown(sample, owner_.inverted_);
        return owner_.analog_->instantIsSamples ? sample : owner_.analog_->instant.Shown(sample);
    }
    void Read(std::size_t first, std::span<double> out) const override { owner_.ReadInstant(first, out); }
    std::span<const double> Held() const override
    {
        const bool same = owner_.discrete_ ? !owner_.inverted_ : owner_.analog_->instantIsSamples;
        return same ? owner_.samples_->Held() : std::span<const double>();
    }

private:
    const DerivedSeries& owner_;
};

class DerivedSeries::DisplaySource final : public SeriesSource<double> {
public:
    explicit DisplaySource(const DerivedSeries& owner) : owner_(owner) {}
    std::size_t Size() const override { return owner_.Count(); }
    double At(std::size_t i) const override { return owner_.BlockAt(i / kSeriesBlock)->display[i % kSeriesBlock]; }
    void Read(std::size_t first, std::span<double> out) const override { owner_.ReadDisplay(first, out); }

private:
    const DerivedSeries& owner_;
};

class DerivedSeries::PhasorSource final : public SeriesSource<Phasor> {
public:
    explicit PhasorSource(const DerivedSeries& owner) : owner_(owner) {}
    std::size_t Size() const override { return owner_.Count(); }
    Phasor At(std::size_t i) const override
    {
        if (owner_.supplied_)
            return i < owner_.supplied_->size() ? (*owner_.supplied_)[i] * owner_.phasorScale_ : Phasor();
        return owner_.BlockAt(i / kSeriesBlock)->phasors[i % kSeriesBlock];
    }
    void Read(std::size_t first, std::span<Phasor> out) const override
    {
        for (std::size_t k = 0; k < out.size();) {
            const std::size_t i = first + k;
            if (owner_.supplied_) {
                out[k++] = At(i);
                continue;
            }
            const std::shared_ptr<const Block> block = owner_.BlockAt(i / kSeriesBlock);
            const std::size_t from = i % kSeriesBlock;
            const std::size_t take = std::min(out.size() - k, block->phasors.size() - from);
            std::copy_n(block->phasors.begin() + static_cast<std::ptrdiff_t>(from), take, out.begin() + static_cast<std::ptrdiff_t>(k));
            k += take;
        }
    }

private:
    const DerivedSeries& owner_;
};

DerivedSeries::DerivedSeries(const Channel& channel, std::optional<AnalogInputs> analog, SeriesCache& cache)
    : samples_(channel.samples.Data()),
      discrete_(channel.IsDiscrete()),
      inverted_(channel.HasFlag(display::kInverted)),
      analog_(std::move(analog)),
      cache_(cache),
      owner_(SeriesCache::NewOwner()),
      instant_(std::make_unique<InstantSource>(*this)),
      display_(std::make_unique<DisplaySource>(*this)),
      phasors_(std::make_unique<PhasorSource>(*this))
{
    if (analog_ && analog_->suppliedPhasors) {
        supplied_ = channel.suppliedPhasors;
        phasorScale_ = (inverted_ ? -1.0 : 1.0) * channel.displayRatio;
        if (!supplied_)
            supplied_ = std::make_shared<const std::vector<Phasor>>();
    }
    if (analog_ && analog_->samplesPyramid) {
        // The summary built the pyramid of the samples while reading them; the curve's follows
        // from it when the curve keeps the samples' order.
        const InstantTransform& shown = analog_->instant.Transform();
        MinMaxPyramid& pyramid = *analog_->samplesPyramid;
        if (analog_->mode == CurveMode::Instant && shown.KeepsOrder() &&
            pyramid.MapValues([&shown](double sample) { return shown.Shown(sample); }, shown.ReversesOrder()))
            survey_ = SurveyOf(std::move(analog_->samplesPyramid), Unowned(instant_.get()));
        analog_->samplesPyramid.reset();
    }
}

DerivedSeries::~DerivedSeries()
{
    cache_.Forget(owner_);
}

Series<double> DerivedSeries::Instant(const std::shared_ptr<const DerivedSeries>& self)
{
    return Series<double>(std::shared_ptr<const SeriesSource<double>>(self, self->instant_.get()));
}

Series<double> DerivedSeries::Display(const std::shared_ptr<const DerivedSeries>& self)
{
    if (!self->analog_ || self->analog_->mode == CurveMode::Instant)
        return Instant(self);
    return Series<double>(std::shared_ptr<const SeriesSource<double>>(self, self->display_.get()));
}

Series<Phasor> DerivedSeries::Phasors(const std::shared_ptr<const DerivedSeries>& self)
{
    if (!self->analog_)
        return {};
    return Series<Phasor>(std::shared_ptr<const SeriesSource<Phasor>>(self, self->phasors_.get()));
}

std::size_t DerivedSeries::Count() const
{
    return samples_->Size();
}

// The block asked for last on this thread is kept at hand, so that reading a series value by
// value costs no look-up in the cache.
std::shared_ptr<const DerivedSeries::Block> DerivedSeries::BlockAt(std::size_t index) const
{
    struct Recent {
        std::uint64_t owner = 0;
        std::size_t index = 0;
        std::shared_ptr<const Block> block;
    };
    thread_local Recent recent;
    if (recent.owner == owner_ && recent.index == index)
        return recent.block;
    auto block = std::static_pointer_cast<const Block>(cache_.Find({owner_, 0, index}));
    if (!block && !analog_->Sequential()) {
        SlidingHarmonic::State none;
        block = Derive(index, none);
    } else if (!block) {
        const std::lock_guard lock(sequenceMutex_);
        block = std::static_pointer_cast<const Block>(cache_.Find({owner_, 0, index}));
        while (!block) {
            const std::size_t next = std::min(index, blockStarts_.size() - 1);
            SlidingHarmonic::State sums = blockStarts_[next];
            std::shared_ptr<const Block> derived = Derive(next, sums);
            if (next + 1 == blockStarts_.size())
                blockStarts_.push_back(sums);
            if (next == index)
                block = std::move(derived);
        }
    }
    recent = {owner_, index, block};
    return block;
}

std::shared_ptr<const DerivedSeries::Block> DerivedSeries::Derive(std::size_t index, SlidingHarmonic::State& sums) const
{
    auto block = std::make_shared<Block>();
    const std::size_t begin = index * kSeriesBlock;
    const std::size_t size = std::min(kSeriesBlock, Count() - begin);
    if (analog_->mode != CurveMode::Instant)
        block->display.resize(size);
    if (!analog_->suppliedPhasors)
        block->phasors.resize(size);
    DeriveAnalogBlock(*analog_, static_cast<std::int64_t>(begin), block->display, block->phasors, sums);
    cache_.Store({owner_, 0, index}, block,
                 sizeof(Block) + block->display.size() * sizeof(double) + block->phasors.size() * sizeof(Phasor));
    return block;
}

void DerivedSeries::ReadInstant(std::size_t first, std::span<double> out) const
{
    samples_->Read(first, out);
    if (discrete_) {
        if (inverted_) {
            for (double& value : out)
                value = DiscreteShown(value, true);
        }
        return;
    }
    if (!analog_->instantIsSamples) {
        for (double& value : out)
            value = analog_->instant.Shown(value);
    }
}

void DerivedSeries::ReadDisplay(std::size_t first, std::span<double> out) const
{
    for (std::size_t k = 0; k < out.size();) {
        const std::size_t i = first + k;
        const std::shared_ptr<const Block> block = BlockAt(i / kSeriesBlock);
        const std::size_t from = i % kSeriesBlock;
        const std::size_t take = std::min(out.size() - k, block->display.size() - from);
        std::copy_n(block->display.begin() + static_cast<std::ptrdiff_t>(from), take, out.begin() + static_cast<std::ptrdiff_t>(k));
        k += take;
    }
}

void DerivedSeries::Survey(LoadProgress& progress) const
{
    if (Surveyed())
        return;
    std::optional<CurveSurvey> found = discrete_ ? SurveyDiscrete(progress) : SurveyAnalog(progress);
    if (!found)
        return;
    const std::lock_guard lock(surveyMutex_);
    if (!survey_)
        survey_ = std::move(found);
}

std::optional<CurveSurvey> DerivedSeries::Surveyed() const
{
    const std::lock_guard lock(surveyMutex_);
    return survey_;
}

// The extremes are those of the stored samples, not of the curve drawn: the highest is 1.0
// once any sample after the first is not 0.0, the lowest 0.0 once any is.
CurveSurvey DerivedSeries::SurveyDiscrete(LoadProgress& progress) const
{
    CurveSurvey survey;
    const std::size_t count = Count();
    progress.Advance(count);
    StatesSeen seen;
    MinMaxPyramid::Builder pyramid;
    const std::size_t fromBits = AddBitBlocks(samples_->BitWords(), count, inverted_, pyramid, seen);
    std::vector<double> shown(std::min(kSeriesBlock, count - fromBits));
    for (std::size_t first = fromBits; first < count; first += kSeriesBlock) {
        const std::span<double> values(shown.data(), std::min(kSeriesBlock, count - first));
        samples_->Read(first, values);
        for (std::size_t k = first == 0 ? 1 : 0; k < values.size(); ++k)
            (values[k] == 0.0 ? seen.zero : seen.nonZero) = true;
        if (inverted_) {
            for (double& value : values)
                value = DiscreteShown(value, true);
        }
        pyramid.Add(values);
    }
    if (count > 0) {
        const double firstSample = samples_->At(0);
        survey.maxValue = seen.nonZero ? 1.0 : firstSample;
        survey.minValue = seen.zero ? 0.0 : firstSample;
    }
    survey.pyramid = std::make_shared<const MinMaxPyramid>(pyramid.Finish());
    return survey;
}

std::optional<CurveSurvey> DerivedSeries::SurveyAnalog(LoadProgress& progress) const
{
    const std::size_t count = Count();
    const Series<double> shown = Unowned(analog_->mode == CurveMode::Instant ? static_cast<const SeriesSource<double>*>(instant_.get())
                                                                              : display_.get());
    MinMaxPyramid::Builder pyramid;
    bool cancelled = false;
    shown.ForEachBlock(0, count, [&](std::size_t, std::span<const double> values) {
        if (cancelled || progress.CancelRequested()) {
            cancelled = true;
            return;
        }
        pyramid.Add(values);
        progress.Advance(values.size());
    });
    if (cancelled)
        return std::nullopt;
    return SurveyOf(std::make_shared<const MinMaxPyramid>(pyramid.Finish()), shown);
}

} // namespace zarva
