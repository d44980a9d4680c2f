#pragma once

#include <atomic>
#include <cstdint>

namespace zarva {

// Progress of a long operation and its cancel flag, shared without locks between the
// worker that advances it and the interface that shows it and may cancel.
class LoadProgress {
public:
    void Reset()
    {
        position_.store(0, std::memory_order_relaxed);
        total_.store(0, std::memory_order_relaxed);
        step_.store(0.0, std::memory_order_relaxed);
        cancelRequested_.store(false, std::memory_order_relaxed);
    }

    std::uint64_t Position() const { return position_.load(std::memory_order_relaxed); }
    std::uint64_t Total() const { return total_.load(std::memory_order_relaxed); }
    double Step() const { return step_.load(std::memory_order_relaxed); }
    void SetPosition(std::uint64_t position) { position_.store(position, std::memory_order_relaxed); }
    void SetTotal(std::uint64_t total) { total_.store(total, std::memory_order_relaxed); }
    void SetStep(double step) { step_.store(step, std::memory_order_relaxed); }

    // Moves the position on by `units` steps.
    void Advance(std::uint64_t units)
    {
        position_.fetch_add(static_cast<std::uint64_t>(Step() * static_cast<double>(units)),
                            std::memory_order_relaxed);
    }

    // 0..100; 0 while the total is unknown.
    int Percent() const
    {
        const std::uint64_t total = Total();
        if (total == 0)
            return 0;
        const std::uint64_t position = Position();
        return position >= total ? 100 : static_cast<int>(position * 100 / total);
    }

    void RequestCancel() { cancelRequested_.store(true, std::memory_order_relaxed); }
    bool CancelRequested() const { return cancelRequested_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uint64_t> position_{0};
    std::atomic<std::uint64_t> total_{0};
    std::atomic<double> step_{0.0};
    std::atomic<bool> cancelRequested_{false};
};

} // namespace zarva
