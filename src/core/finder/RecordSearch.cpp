#include "core/finder/RecordSearch.h"

#include "core/finder/RecordHead.h"

#include <vector>

namespace zarva {
namespace {

constexpr auto kWalkOptions = std::filesystem::directory_options::skip_permission_denied;

// Hands the records among the folder's files to `onFound` and adds its sub-folders to
// `pending` when they are wanted. False when cancelled.
bool SearchFolder(const std::filesystem::path& folder, const SearchOptions& options, LoadProgress& progress,
                  const std::function<void(FoundRecord)>& onFound, std::vector<std::filesystem::path>& pending)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, kWalkOptions, error), end; !error && it != end;
         it.increment(error)) {
        if (progress.CancelRequested())
            return false;
        progress.SetPosition(progress.Position() + 1);
        const std::filesystem::directory_entry& entry = *it;
        std::error_code ignored;
        if (entry.is_directory(ignored)) {
            if (options.recursive && !entry.is_symlink(ignored))
                pending.push_back(entry.path());
            continue;
        }
        if (!RecordTypeOf(entry.path()) || !entry.is_regular_file(ignored))
            continue;
        if (std::optional<FoundRecord> found = ReadRecordHead(entry.path(), options.sto))
            onFound(std::move(*found));
    }
    return true;
}

} // namespace

bool FindRecords(const SearchOptions& options, LoadProgress& progress,
                 const std::function<void(FoundRecord)>& onFound)
{
    std::vector<std::filesystem::path> pending{options.folder};
    while (!pending.empty()) {
        const std::filesystem::path folder = std::move(pending.back());
        pending.pop_back();
        if (!SearchFolder(folder, options, progress, onFound, pending))
            return false;
    }
    return !progress.CancelRequested();
}

} // namespace zarva
