#include "core/finder/RecordSearch.h"

#include "core/finder/RecordHead.h"
#include "core/model/ParallelFor.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace zarva {
namespace {

constexpr auto kWalkOptions = std::filesystem::directory_options::skip_permission_denied;

// Heads are read this many at a time, on every core, and handed on before the next ones: a
// folder of thousands of records fills the list as it goes, and a cancel takes effect soon.
constexpr std::size_t kHeadsPerRound = 64;

struct FolderContents {
    std::vector<std::filesystem::path> records;
    std::vector<std::filesystem::path> folders;
};

// The folder's files that may be records, and its sub-folders (those reached through links
// left out: they may lead back up the tree). False when cancelled.
bool ListFolder(const std::filesystem::path& folder, LoadProgress& progress, FolderContents& contents)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, kWalkOptions, error), end; !error && it != end;
         it.increment(error)) {
        if (progress.CancelRequested())
            return false;
        const std::filesystem::directory_entry& entry = *it;
        std::error_code ignored;
        if (entry.is_directory(ignored)) {
            if (!entry.is_symlink(ignored))
                contents.folders.push_back(entry.path());
            progress.SetPosition(progress.Position() + 1);
        } else if (RecordTypeOf(entry.path()) && entry.is_regular_file(ignored)) {
            contents.records.push_back(entry.path());
        } else {
            progress.SetPosition(progress.Position() + 1);
        }
    }
    return true;
}

bool ReadHeads(const std::vector<std::filesystem::path>& files, const SearchOptions& options,
               LoadProgress& progress, const std::function<void(FoundRecord)>& onFound)
{
    const std::size_t threads = std::max(1U, std::thread::hardware_concurrency());
    std::vector<std::optional<FoundRecord>> heads(kHeadsPerRound);
    for (std::size_t first = 0; first < files.size(); first += kHeadsPerRound) {
        const std::size_t count = std::min(kHeadsPerRound, files.size() - first);
        ParallelFor(count, threads, [&](std::size_t i) {
            heads[i] = progress.CancelRequested() ? std::nullopt : ReadRecordHead(files[first + i], options.sto);
        });
        if (progress.CancelRequested())
            return false;
        progress.SetPosition(progress.Position() + count);
        for (std::size_t i = 0; i < count; ++i) {
            if (heads[i])
                onFound(std::move(*heads[i]));
        }
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
        FolderContents contents;
        if (!ListFolder(folder, progress, contents) || !ReadHeads(contents.records, options, progress, onFound))
            return false;
        if (options.recursive)
            pending.insert(pending.end(), contents.folders.begin(), contents.folders.end());
    }
    return !progress.CancelRequested();
}

} // namespace zarva
