#include "core/view/TraceGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace zarva {
namespace {

std::vector<double> Noise(std::size_t count, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::normal_distribution<double> value(0.0, 1.0);
    std::vector<double> series(count);
    for (std::size_t i = 0; i < count; ++i)
        series[i] = 50.0 * std::sin(0.01 * static_cast<double>(i)) + value(random);
    return series;
}

TEST(MinMaxPyramid, RangesEqualAPlainScan)
{
    const std::vector<double> series = Noise(70'000, 1);
    const MinMaxPyramid pyramid(series);
    std::mt19937_64 random(2);
    for (int trial = 0; trial < 500; ++trial) {
        std::size_t first = random() % series.size();
        std::size_t last = random() % series.size();
        if (first > last)
            std::swap(first, last);
        ++last;
        const auto [low, high] = std::minmax_element(series.begin() + static_cast<std::ptrdiff_t>(first),
                                                     series.begin() + static_cast<std::ptrdiff_t>(last));
        const ValueSpan span = pyramid.Range(series, first, last);
        ASSERT_EQ(span.low, *low) << first << ".." << last;
        ASSERT_EQ(span.high, *high) << first << ".." << last;
    }
}

TEST(MinMaxPyramid, MissingValuesArePassedOver)
{
    std::vector<double> series(40, 5.0);
    series[33] = std::nan("");
    std::fill(series.begin(), series.begin() + 17, std::nan(""));
    const MinMaxPyramid pyramid(series);
    EXPECT_EQ(pyramid.Range(series, 0, 40).low, 5.0);
    EXPECT_EQ(pyramid.Range(series, 0, 40).high, 5.0);
    EXPECT_TRUE(pyramid.Range(series, 0, 17).Empty());
}

// The functions under test read series; these take the vectors the tests build.
std::vector<Stroke> Vertex(const std::vector<double>& series, const TraceMapping& mapping)
{
    return VertexStrokes(HeldSeries(series), mapping);
}

std::vector<Stroke> Envelope(const std::vector<double>& series, const MinMaxPyramid& pyramid, const TraceMapping& mapping)
{
    return EnvelopeStrokes(HeldSeries(series), &pyramid, mapping);
}

TraceMapping Mapping(double xScale, std::int64_t first = 0)
{
    TraceMapping mapping;
    mapping.leftMargin = 100;
    mapping.xScale = xScale;
    mapping.firstSample = first;
    mapping.plotWidth = 800;
    mapping.base = 200.0;
    mapping.lowest = -60.0;
    mapping.scale = 1.5;
    return mapping;
}

// Per pixel column, the rows every segment of a polyline covers when each segment is cut
// at its end columns: what a one-pixel pen can draw.
std::map<int, std::pair<int, int>> ColumnSpans(const std::vector<PixelPoint>& points)
{
    std::map<int, std::pair<int, int>> spans;
    const auto cover = [&spans](int x, int y) {
        auto [it, fresh] = spans.try_emplace(x, y, y);
        it->second.first = std::min(it->second.first, y);
        it->second.second = std::max(it->second.second, y);
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        cover(points[i].x, points[i].y);
        if (i > 0 && points[i].x == points[i - 1].x)
            cover(points[i].x, points[i - 1].y);
    }
    return spans;
}

TEST(EnvelopeStrokes, CoverEachColumnAsEveryVertexDoes)
{
    const std::vector<double> series = Noise(400'000, 3);
    const MinMaxPyramid pyramid(series);
    for (const double xScale : {1.0 / 16, 1.0 / 128, 1.0 / 512}) {
        const TraceMapping mapping = Mapping(xScale, 1234);
        const std::vector<Stroke> every = Vertex(series, mapping);
        const std::vector<Stroke> envelope = Envelope(series, pyramid, mapping);
        ASSERT_EQ(envelope.size(), 1u);
        ASSERT_EQ(every.size(), 1u);
        EXPECT_LE(envelope[0].size(), 4u * 801u);
        EXPECT_EQ(ColumnSpans(envelope[0]), ColumnSpans(every[0])) << xScale;
        EXPECT_EQ(envelope[0].front(), every[0].front());
        EXPECT_EQ(envelope[0].back(), every[0].back());
    }
}

TEST(EnvelopeStrokes, MissingSamplesLeaveAGapAtEveryScale)
{
    std::vector<double> series = Noise(400'000, 5);
    std::fill(series.begin() + 5'000, series.begin() + 8'000, std::nan(""));
    const MinMaxPyramid pyramid(series);
    const TraceMapping mapping = Mapping(1.0 / 512, 1234);
    const std::vector<Stroke> every = Vertex(series, mapping);
    const std::vector<Stroke> envelope = Envelope(series, pyramid, mapping);
    ASSERT_EQ(every.size(), 2u);
    ASSERT_EQ(envelope.size(), 2u);
    for (std::size_t k = 0; k < 2; ++k)
        EXPECT_EQ(ColumnSpans(envelope[k]), ColumnSpans(every[k])) << k;
    EXPECT_GE(envelope[1].front().x - envelope[0].back().x, 3'000 * 25 / 512 - 1);

    std::vector<double> few = Noise(100, 6);
    few[10] = std::nan("");
    const std::vector<Stroke> sparse = Envelope(few, MinMaxPyramid(few), Mapping(1.0));
    ASSERT_EQ(sparse.size(), 2u);
    EXPECT_EQ(sparse[0].size(), 10u);
}

TEST(EnvelopeStrokes, SparseScalesKeepEveryVertexUpToTheEndOfTheSeries)
{
    const std::vector<double> series = Noise(1000, 4);
    const TraceMapping mapping = Mapping(0.5, 10);
    const std::vector<Stroke> strokes = Envelope(series, MinMaxPyramid(series), mapping);
    ASSERT_EQ(strokes.size(), 1u);
    const Stroke& points = strokes[0];
    ASSERT_EQ(points.size(), 64u);  // ceil(800 / 12.5)
    EXPECT_EQ(points[3].x, 100 + 38);  // 37.5 rounded up
    EXPECT_EQ(points[3].y, mapping.Y(series[13]));
    EXPECT_EQ(mapping.Y(-60.0 + 10.0), 185);
    EXPECT_EQ(Vertex(series, Mapping(1.0, 990)).at(0).size(), 10u);
    EXPECT_TRUE(Vertex(series, Mapping(1.0, 2000)).empty());
}

TEST(DiscreteRuns, RunsOfSamplesAtReadableScalesAndAPulseInsideOneColumnMarksTheChange)
{
    const std::vector<double> few = {0, 1, 1, 0, 0, 1, 0, 0};
    const MinMaxPyramid fewLevels(few);
    const DiscreteBars readable = DiscreteRuns(HeldSeries(few), &fewLevels, Mapping(1.0));
    EXPECT_EQ(readable.runs, (std::vector<std::pair<int, int>>{{125, 175}, {225, 250}}));
    EXPECT_TRUE(readable.changeColumns.empty());

    std::vector<double> series(100'000, 0.0);
    series[50'003] = 1.0;
    std::fill(series.begin() + 55'000, series.end(), 1.0);
    const TraceMapping mapping = Mapping(1.0 / 512, 45'000);
    const MinMaxPyramid levels(series);
    const DiscreteBars bars = DiscreteRuns(HeldSeries(series), &levels, mapping);
    ASSERT_EQ(bars.runs.size(), 2u);
    EXPECT_EQ(bars.runs[0].second - bars.runs[0].first, 1);
    EXPECT_EQ(bars.changeColumns.size(), 2u);
    EXPECT_EQ(bars.changeColumns[0], bars.runs[0].first);
    EXPECT_EQ(bars.changeColumns[1], bars.runs[1].first);
}

} // namespace
} // namespace zarva
