#include "core/model/ParallelFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace zarva {
namespace {

TEST(ParallelFor, EveryIndexRunsOnceWhateverTheThreads)
{
    for (const std::size_t threads : {1U, 2U, 7U}) {
        std::vector<std::atomic<int>> runs(50);
        ParallelFor(runs.size(), threads, [&](std::size_t i) { ++runs[i]; });
        for (const std::atomic<int>& count : runs)
            EXPECT_EQ(count.load(), 1) << threads;
    }
    ParallelFor(0, 4, [](std::size_t) { ADD_FAILURE() << "no work"; });
}

TEST(ParallelFor, AnErrorOfTheWorkReachesTheCaller)
{
    EXPECT_THROW(ParallelFor(20, 3,
                             [](std::size_t i) {
                                 if (i == 11)
                                     throw std::runtime_error("eleven");
                             }),
                 std::runtime_error);
}

} // namespace
} // namespace zarva
