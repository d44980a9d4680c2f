#include "gui/app/BackgroundSearch.h"

#include <utility>

namespace zarva::gui {

BackgroundSearch::BackgroundSearch(SearchOptions options)
    : thread_([this, options = std::move(options)] { Run(options); })
{
}

BackgroundSearch::~BackgroundSearch()
{
    Cancel();
    thread_.join();
}

void BackgroundSearch::Run(const SearchOptions& options)
{
    try {
        FindRecords(options, progress_, [this](FoundRecord record) {
            const std::lock_guard lock(mutex_);
            found_.push_back(std::move(record));
        });
    } catch (const std::exception&) {
        // What was found stays listed; a search has nobody to report to but its list.
    }
    finished_.store(true, std::memory_order_release);
}

std::vector<FoundRecord> BackgroundSearch::TakeFound()
{
    const std::lock_guard lock(mutex_);
    return std::exchange(found_, {});
}

} // namespace zarva::gui
