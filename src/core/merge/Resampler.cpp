#include "core/merge/Resampler.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zarva {
namespace {

// A channel's samples continued with zeros both ways, walked forward along the grid.
class PaddedWalk {
public:
    PaddedWalk(std::span<const double> values, const ChannelPlacement& placement)
        : values_(values), times_(placement.times.first(std::min(values.size(), placement.times.size()))),
          interval_(placement.interval > 0.0 ? placement.interval : 1.0), shift_(placement.shift)
    {
        if (!times_.empty())
            lastX_ = static_cast<double>(times_.back() - times_.front());
    }

    bool Empty() const { return times_.empty(); }

    // The first index (of the padded series) whose time is at or after grid time t; grid
    // times must come in increasing order.
    std::int64_t Seek(double t)
    {
        const double x = t - shift_;
        if (x <= 0.0)
            return static_cast<std::int64_t>(std::ceil(x / interval_));
        if (x > lastX_)
            return Last() + static_cast<std::int64_t>(std::ceil((x - lastX_) / interval_));
        while (X(next_) < x)
            ++next_;
        return next_;
    }

    // Time of padded index i relative to sample 0.
    double X(std::int64_t i) const
    {
        if (i < 0)
            return static_cast<double>(i) * interval_;
        if (i > Last())
            return lastX_ + static_cast<double>(i - Last()) * interval_;
        return static_cast<double>(times_[static_cast<std::size_t>(i)] - times_.front());
    }
    double Y(std::int64_t i) const { return i < 0 || i > Last() ? 0.0 : values_[static_cast<std::size_t>(i)]; }
    double Shift() const { return shift_; }
    std::int64_t Last() const { return static_cast<std::int64_t>(times_.size()) - 1; }

private:
    std::span<const double> values_;
    std::span<const std::int64_t> times_;
    double interval_;
    double shift_;
    double lastX_ = 0.0;
    std::int64_t next_ = 0;
};

// The parabola through samples j-1, j and j+1, centred on sample j to keep the system well
// conditioned whatever the record's length.
struct Parabola {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double centre = 0.0;

    double At(double x) const
    {
        const double d = x - centre;
        return (a * d + b) * d + c;
    }
};

Parabola Through(const PaddedWalk& walk, std::int64_t j)
{
    Parabola p;
    p.centre = walk.X(j);
    double m[3][3];
    double y[3];
    for (int r = 0; r < 3; ++r) {
        const double d = walk.X(j - 1 + r) - p.centre;
        m[r][0] = d * d;
        m[r][1] = d;
        m[r][2] = 1.0;
        y[r] = walk.Y(j - 1 + r);
    }
    double solved[3];
    if (Solve3x3(m, y, solved)) {
        p.a = solved[0];
        p.b = solved[1];
        p.c = solved[2];
    } else {
        p.c = walk.Y(j);  // coinciding times: the sample itself
    }
    return p;
}

// One forward pass over the grid: `pick` gives the value at grid time t from the walk and the
// first padded index at or after t.
template <class Pick>
std::vector<double> Resample(std::span<const double> values, const ChannelPlacement& placement, const MergeGrid& grid,
                             Pick&& pick)
{
    std::vector<double> out(static_cast<std::size_t>(std::max<std::int64_t>(grid.count, 0)), 0.0);
    PaddedWalk walk(values, placement);
    if (walk.Empty())
        return out;
    for (std::size_t k = 0; k < out.size(); ++k) {
        const double t = static_cast<double>(k) * grid.step;
        out[k] = pick(walk, t, walk.Seek(t));
    }
    return out;
}

} // namespace

bool Solve3x3(const double m[3][3], const double y[3], double out[3])
{
    // Cramer's rule: no branches, so the pass keeps its pace whatever the samples.
    auto det = [](double a, double b, double c, double d, double e, double f, double g, double h, double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    const double whole = det(m[0][0], m[0][1], m[0][2], m[1][0], m[1][1], m[1][2], m[2][0], m[2][1], m[2][2]);
    if (whole == 0.0 || !std::isfinite(whole))
        return false;
    out[0] = det(y[0], m[0][1], m[0][2], y[1], m[1][1], m[1][2], y[2], m[2][1], m[2][2]) / whole;
    out[1] = det(m[0][0], y[0], m[0][2], m[1][0], y[1], m[1][2], m[2][0], y[2], m[2][2]) / whole;
    out[2] = det(m[0][0], m[0][1], y[0], m[1][0], m[1][1], y[1], m[2][0], m[2][1], y[2]) / whole;
    return true;
}

std::vector<double> ResampleAnalog(std::span<const double> values, const ChannelPlacement& placement,
                                   const MergeGrid& grid)
{
    std::int64_t fitted = INT64_MIN;
    Parabola parabola;
    return Resample(values, placement, grid, [&](const PaddedWalk& walk, double t, std::int64_t j) {
        if (j < -1 || j > walk.Last() + 1)
            return 0.0;  // three padded zeros
        if (j != fitted) {
            parabola = Through(walk, j);
            fitted = j;
        }
        return parabola.At(t - walk.Shift());
    });
}

std::vector<double> ResampleDiscrete(std::span<const double> values, const ChannelPlacement& placement,
                                     const MergeGrid& grid)
{
    return Resample(values, placement, grid, [](const PaddedWalk& walk, double t, std::int64_t j) {
        const double x = t - walk.Shift();
        const bool earlierNearer = x - walk.X(j - 1) < walk.X(j) - x;
        return walk.Y(earlierNearer ? j - 1 : j);
    });
}

std::vector<double> ResampleNearestAfter(std::span<const double> values, const ChannelPlacement& placement,
                                         const MergeGrid& grid)
{
    return Resample(values, placement, grid, [](const PaddedWalk& walk, double, std::int64_t j) {
        return walk.Y(std::clamp<std::int64_t>(j, 0, walk.Last()));
    });
}

} // namespace zarva
