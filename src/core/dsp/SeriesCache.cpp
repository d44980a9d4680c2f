#include "core/dsp/SeriesCache.h"

#include <unistd.h>

#include <atomic>

namespace zarva {

SeriesCache& SeriesCache::Shared()
{
    static SeriesCache cache;
    return cache;
}

std::size_t SeriesCache::DefaultBudget()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::size_t{1} << 30;
    return static_cast<std::size_t>(pages) / 4 * static_cast<std::size_t>(pageSize);
}

std::uint64_t SeriesCache::NewOwner()
{
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

void SeriesCache::SetBudget(std::size_t bytes)
{
    const std::lock_guard lock(mutex_);
    budget_ = bytes;
    Evict();
}

std::size_t SeriesCache::Budget() const
{
    const std::lock_guard lock(mutex_);
    return budget_;
}

std::size_t SeriesCache::Used() const
{
    const std::lock_guard lock(mutex_);
    return used_;
}

std::shared_ptr<const void> SeriesCache::Find(const Key& key)
{
    const std::lock_guard lock(mutex_);
    const auto found = index_.find(key);
    if (found == index_.end())
        return nullptr;
    recency_.splice(recency_.begin(), recency_, found->second);
    return found->second->block;
}

void SeriesCache::Store(const Key& key, std::shared_ptr<const void> block, std::size_t bytes)
{
    const std::lock_guard lock(mutex_);
    if (const auto found = index_.find(key); found != index_.end())
        Erase(found);
    recency_.push_front({key, std::move(block), bytes});
    index_.emplace(key, recency_.begin());
    used_ += bytes;
    Evict();
}

void SeriesCache::Forget(std::uint64_t owner)
{
    const std::lock_guard lock(mutex_);
    auto found = index_.lower_bound(Key{owner, 0, 0});
    while (found != index_.end() && found->first.owner == owner) {
        const auto next = std::next(found);
        Erase(found);
        found = next;
    }
}

void SeriesCache::Evict()
{
    while (used_ > budget_ && !recency_.empty())
        Erase(index_.find(recency_.back().key));
}

void SeriesCache::Erase(std::map<Key, Recency::iterator>::iterator found)
{
    used_ -= found->second->bytes;
    recency_.erase(found->second);
    index_.erase(found);
}

} // namespace zarva
