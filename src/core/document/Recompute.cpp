#include "core/document/Recompute.h"

#include "core/document/Document.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace zarva {
namespace {

// Below this many samples in all, threads cost more than they save.
constexpr std::size_t kParallelFrom = 1 << 16;

// Hands out channels to the threads and keeps the first error in channel order.
class ChannelQueue {
public:
    explicit ChannelQueue(Document& document) : document_(document) {}

    void Work()
    {
        std::vector<Channel>& channels = document_.oscillogram.channels;
        for (;;) {
            const std::size_t i = next_.fetch_add(1, std::memory_order_relaxed);
            if (i >= channels.size() || failed_.load(std::memory_order_relaxed) ||
                document_.progress.CancelRequested())
                return;
            try {
                channels[i].Recompute();
            } catch (...) {
                Keep(i, std::current_exception());
            }
        }
    }

    void RaiseError() const
    {
        if (error_)
            std::rethrow_exception(error_);
    }

private:
    void Keep(std::size_t index, std::exception_ptr error)
    {
        const std::lock_guard lock(mutex_);
        if (!error_ || index < errorIndex_) {
            error_ = error;
            errorIndex_ = index;
        }
        failed_.store(true, std::memory_order_relaxed);
    }

    Document& document_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    std::exception_ptr error_;
    std::size_t errorIndex_ = 0;
};

std::size_t ThreadCount(const Oscillogram& record)
{
    std::size_t samples = 0;
    for (const Channel& channel : record.channels)
        samples += channel.samples.size();
    if (samples < kParallelFrom)
        return 1;
    const std::size_t hardware = std::max(1u, std::thread::hardware_concurrency());
    return std::min(hardware, record.channels.size());
}

} // namespace

void RecomputeAll(Document& document)
{
    ChannelQueue queue(document);
    {
        std::vector<std::jthread> helpers;
        try {
            for (std::size_t i = 1; i < ThreadCount(document.oscillogram); ++i)
                helpers.emplace_back([&queue] { queue.Work(); });
        } catch (const std::system_error&) {
            // Fewer threads than asked for only make it slower.
        }
        queue.Work();
    }
    queue.RaiseError();
    if (document.progress.CancelRequested())
        return;
    // Computed channels follow the channels they are computed from.
    document.oscillogram.calcChannels.Compute();
}

} // namespace zarva
