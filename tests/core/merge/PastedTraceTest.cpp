#include "MergeTestRecord.h"

#include "core/merge/PastedTrace.h"

#include <gtest/gtest.h>

namespace zarva::test {
namespace {

// A 1000 Hz record with a 2000 Hz channel pasted 10.5 ms later; the pasted values are their
// own times in microseconds.
struct Shifted {
    MergeTestRecord own{1000, 100};
    MergeTestRecord other{2000, 100};
    const Channel* pasted = nullptr;

    Shifted()
    {
        own.Analog("U", [](double t) { return t; });
        other.Analog("Ramp", [](double t) { return t * 1e6; });
        CopyAll(*other.document, *own.document);
        own.document->merge.mergeOffset = 0.0105;
        pasted = &own.record.channels.back();
    }
    PastedPlacement Placement() const { return {own.record, *pasted, 0.0105}; }
};

TEST(PastedTrace, ValuesAreReadByTimeOnTheRecordsAxis)
{
    const Shifted shifted;
    const PastedPlacement placement = shifted.Placement();
    const Series<double> values = shifted.pasted->samples.View();
    EXPECT_DOUBLE_EQ(placement.Position(0), 10.5);
    EXPECT_DOUBLE_EQ(*PastedValueAt(values, placement, 20), 20000.0 - 10500.0);
    EXPECT_DOUBLE_EQ(*PastedValueAt(values, placement, 11), 500.0);
    EXPECT_FALSE(PastedValueAt(values, placement, 10));
    EXPECT_FALSE(PastedValueAt(values, placement, 61));  // the last sample is at 10.5 + 49.5
    EXPECT_EQ(OwnSampleAt(*shifted.pasted, 20), 19);
    EXPECT_EQ(OwnSampleAt(shifted.own.record.channels[0], 20), 20);
}

TEST(PastedTrace, CurveStartsWhereTheOffsetPutsIt)
{
    const Shifted shifted;
    TraceMapping mapping;
    mapping.leftMargin = 100;
    mapping.plotWidth = 2000;
    mapping.scale = 0.001;
    const std::vector<Stroke> strokes = PastedStrokes(shifted.pasted->samples.View(), shifted.Placement(), mapping);
    ASSERT_EQ(strokes.size(), 1U);
    EXPECT_EQ(strokes.front().front().x, 100 + 263);  // 10.5 samples of 25 pixels
    EXPECT_EQ(strokes.front().back().x, 100 + 1500);
}

} // namespace
} // namespace zarva::test
