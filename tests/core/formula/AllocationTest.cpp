#include "FormulaTestRecord.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// The replacements below pair malloc with free themselves.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace zarva {
namespace {

TEST(Evaluation, AllocatesNothingPerSampleOnceWarm)
{
    test::FormulaTestRecord fixture;
    fixture.AddPhaseSet();
    CalcChannels& engine = fixture.record.calcChannels;
    for (const char* formula : {"I1: (Ia, Ib, Ic)", "Mod:(Pf: (Ia, Ua))[VA]",
                                "TormSumCur: (2, Ia, Ib, Ic" ",,,,,,,,,,,,,,,,,,,,,)",
                                "((Ia + Ib) * 2 - rms:(Ic)) / 3 ^ 2"}) {
        engine.Tokenize(formula);
        engine.Evaluate();
        const long before = allocations.load();
        for (std::int64_t i = 0; i < 40; ++i) {
            engine.SetSample(i);
            engine.Evaluate();
        }
        EXPECT_EQ(allocations.load() - before, 0) << formula;
    }
}

} // namespace
} // namespace zarva
