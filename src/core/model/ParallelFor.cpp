#include "core/model/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace zarva {

std::size_t ThreadsFor(std::size_t values)
{
    constexpr std::size_t kParallelFrom = 1 << 16;
    return values < kParallelFrom ? 1 : std::max(1U, std::thread::hardware_concurrency());
}

void ParallelFor(std::size_t count, std::size_t threads, const std::function<void(std::size_t)>& work)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr error;
    std::size_t errorIndex = 0;
    std::mutex errorMutex;
    auto run = [&] {
        for (std::size_t i = next++; i < count && !failed; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard lock(errorMutex);
                if (!error || i < errorIndex) {
                    error = std::current_exception();
                    errorIndex = i;
                }
                failed = true;
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        try {
            for (std::size_t t = 1; t < std::min(threads, count); ++t)
                helpers.emplace_back(run);
        } catch (const std::system_error&) {
            // The threads started carry the work.
        }
        run();
    }
    if (error)
        std::rethrow_exception(error);
}

} // namespace zarva
