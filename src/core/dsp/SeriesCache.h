#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>

namespace zarva {

// Blocks of derived series kept for reuse within a memory budget shared by every record of
// the process; when the budget is spent, the block used longest ago goes first. Blocks are
// handed out shared, so one evicted while in use stays valid for its user. Safe to use from
// several threads.
class SeriesCache {
public:
    struct Key {
        std::uint64_t owner = 0;  // from NewOwner(), never reused
        std::uint32_t series = 0;
        std::uint64_t block = 0;
        auto operator<=>(const Key&) const = default;
    };

    static SeriesCache& Shared();
    // A quarter of the machine's physical memory.
    static std::size_t DefaultBudget();
    static std::uint64_t NewOwner();

    explicit SeriesCache(std::size_t budget = DefaultBudget()) : budget_(budget) {}

    void SetBudget(std::size_t bytes);
    std::size_t Budget() const;
    std::size_t Used() const;

    std::shared_ptr<const void> Find(const Key& key);
    void Store(const Key& key, std::shared_ptr<const void> block, std::size_t bytes);
    // Drops every block of an owner that is gone.
    void Forget(std::uint64_t owner);

private:
    struct Entry {
        Key key;
        std::shared_ptr<const void> block;
        std::size_t bytes;
    };
    using Recency = std::list<Entry>;

    void Evict();
    void Erase(std::map<Key, Recency::iterator>::iterator found);

    mutable std::mutex mutex_;
    std::size_t budget_;
    std::size_t used_ = 0;
    Recency recency_;  // most recently used first
    std::map<Key, Recency::iterator> index_;
};

} // namespace zarva
