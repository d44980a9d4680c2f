#include "support/SavedRecord.h"

#include "core/formats/CffFile.h"
#include "core/formats/ComtradeReader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarva::test {
namespace {

bool IsOwn(const Channel& channel)
{
    return !channel.HasFlag(display::kSuppliedPhasors) && !channel.HasFlag(display::kPasted);
}

void ExpectSameValues(const Channel& original, const Channel& copy)
{
    ASSERT_EQ(original.samples.Size(), copy.samples.Size()) << original.channelId;
    const bool sameScale = copy.multiplier == original.multiplier && copy.offset == original.offset;
    const double halfStep = std::fabs(copy.unitFactor * copy.multiplier) / 2;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < copy.samples.Size(); ++i) {
        const double a = original.samples.At(i);
        const double b = copy.samples.At(i);
        if (std::isnan(a) && std::isnan(b))
            continue;
        const bool same = sameScale ? a == b : std::fabs(a - b) <= halfStep * (1 + 1e-9) + 1e-12 * std::fabs(a);
        differing += same ? 0 : 1;
        if (!same && differing == 1)
            ADD_FAILURE() << original.channelId << " sample " << i << ": " << a << " became " << b
                          << (sameScale ? " (same scale)" : " (new scale)");
    }
}

void ExpectSameChannel(const Channel& original, const Channel& copy)
{
    SCOPED_TRACE(original.channelId);
    EXPECT_EQ(copy.kind, original.kind);
    EXPECT_EQ(copy.channelId, original.channelId);
    EXPECT_EQ(copy.name, original.name);
    EXPECT_EQ(copy.phase, original.phase);
    EXPECT_EQ(copy.circuitComponent, original.circuitComponent);
    if (original.IsDiscrete()) {
        EXPECT_EQ(copy.normalState, original.normalState);
        EXPECT_EQ(copy.samples.View().ToVector(), original.samples.View().ToVector());
        return;
    }
    EXPECT_EQ(copy.unit8, original.unit8);
    EXPECT_EQ(copy.unitFactor, original.unitFactor);
    EXPECT_EQ(copy.timeShift, original.timeShift);
    // The settings file keeps ratios to six decimals.
    EXPECT_NEAR(copy.primary, original.primary, 6e-7);
    EXPECT_NEAR(copy.secondary, original.secondary, 6e-7);
    EXPECT_EQ(copy.valuesArePrimary, original.valuesArePrimary);
    ExpectSameValues(original, copy);
}

} // namespace

std::unique_ptr<Document> ReadRecord(const std::filesystem::path& path)
{
    auto document = std::make_unique<Document>();
    if (path.extension() == ".cff")
        ReadCff(*document, path);
    else
        ReadComtrade(*document, path);
    return document;
}

void ExpectSameRecord(const Oscillogram& original, const Oscillogram& copy, bool times)
{
    EXPECT_EQ(copy.stationName, original.stationName);
    EXPECT_EQ(copy.recorderId, original.recorderId);
    EXPECT_EQ(copy.lineFrequency, original.lineFrequency);
    EXPECT_EQ(copy.sampleRate, original.sampleRate);
    // A date of revision 1991 is written as a later revision reads it: the moments are kept.
    EXPECT_EQ(copy.startText, original.startText);
    EXPECT_EQ(copy.triggerText, original.triggerText);
    EXPECT_EQ(copy.timeCode, original.timeCode);
    EXPECT_EQ(copy.localCode, original.localCode);
    EXPECT_EQ(copy.headerText, original.headerText);
    if (times) {
        EXPECT_EQ(copy.sampleTimes, original.sampleTimes);
    }
    std::vector<const Channel*> own;
    for (const Channel& channel : original.channels) {
        if (IsOwn(channel))
            own.push_back(&channel);
    }
    ASSERT_GE(copy.channels.size(), own.size());
    for (std::size_t j = 0; j < own.size(); ++j)
        ExpectSameChannel(*own[j], copy.channels[j]);
}

} // namespace zarva::test
