#pragma once

#include "core/finder/RecordSearch.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace zarva::gui {

// One search of the file finder on its own thread. The records it finds wait here until the
// interface takes them; destroying the search cancels it and waits for the thread.
class BackgroundSearch {
public:
    explicit BackgroundSearch(SearchOptions options);
    ~BackgroundSearch();
    BackgroundSearch(const BackgroundSearch&) = delete;
    BackgroundSearch& operator=(const BackgroundSearch&) = delete;

    void Cancel() { progress_.RequestCancel(); }
    bool Finished() const { return finished_.load(std::memory_order_acquire); }
    std::uint64_t EntriesSeen() const { return progress_.Position(); }
    // The records found since the last call.
    std::vector<FoundRecord> TakeFound();

private:
    void Run(const SearchOptions& options);

    LoadProgress progress_;
    std::mutex mutex_;
    std::vector<FoundRecord> found_;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

} // namespace zarva::gui
