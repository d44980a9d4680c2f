// Finding and listing a substation archive: 10,000 records (".cfg" with ".dat") spread over
// 100 folders, on a warm file cache, against the time merely to list the same folders' names.
#include "core/finder/RecordList.h"
#include "core/finder/RecordSearch.h"
#include "core/model/CodePage.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 100;
constexpr int kRecordsPerFolder = 100;
constexpr int kAnalog = 16;
constexpr int kDiscrete = 32;
constexpr std::size_t kDataBytes = 4096;

std::string Ansi(const char* utf8)
{
    return zarva::FromUtf8(utf8, zarva::CodePage::Windows1251);
}

// A relay's configuration of revision 1999 with Cyrillic names in Windows-1251, as recorders
// here write them; its date and station vary by record.
std::string Configuration(int folder, int record)
{
    std::string text = Ansi("ПС Южная-") + std::to_string(folder % 7) + "," + Ansi("Терминал ") +
                       std::to_string(record % 5) + ",1999\r\n";
    text += std::to_string(kAnalog + kDiscrete) + "," + std::to_string(kAnalog) + "A," + std::to_string(kDiscrete) + "D\r\n";
    for (int a = 1; a <= kAnalog; ++a) {
        text += std::to_string(a) + "," + Ansi("Ток фазы А ") + std::to_string(a) + ",A," + Ansi("Линия ") +
                std::to_string(a) + ",A,0.0123,0,0,-32767,32767,600,5,S\r\n";
    }
    for (int d = 1; d <= kDiscrete; ++d)
        text += std::to_string(d) + "," + Ansi("Пуск защиты ") + std::to_string(d) + ",,,0\r\n";
    char moment[80];
    std::snprintf(moment, sizeof moment, "%02d/%02d/20%02d,%02d:%02d:%02d.%06d\r\n", record % 28 + 1,
                  folder % 12 + 1, record % 20 + 5, record % 24, folder % 60, record % 60, record * 997);
    text += "50\r\n1\r\n2400,2000\r\n";
    text += std::string(moment) + moment + "BINARY\r\n1\r\n";
    return text;
}

class Archive {
public:
    Archive()
    {
        const std::string data(kDataBytes, '\x5a');
        for (int f = 0; f < kFolders; ++f) {
            const std::filesystem::path folder = root_ / ("bay" + std::to_string(f));
            std::filesystem::create_directories(folder);
            folders_.push_back(folder);
            for (int r = 0; r < kRecordsPerFolder; ++r) {
                const std::string base = (folder / ("fault" + std::to_string(r))).string();
                std::ofstream(base + ".cfg", std::ios::binary) << Configuration(f, r);
                std::ofstream(base + ".dat", std::ios::binary) << data;
            }
        }
    }
    ~Archive()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    const std::filesystem::path& Root() const { return root_; }
    const std::vector<std::filesystem::path>& Folders() const { return folders_; }

private:
    std::filesystem::path root_ =
        std::filesystem::temp_directory_path() / ("zarva-finder-bench-" + std::to_string(::getpid()));
    std::vector<std::filesystem::path> folders_;
};

const Archive& TheArchive()
{
    static const Archive archive;
    return archive;
}

void ReportMilliseconds(benchmark::State& state)
{
    state.SetLabel(std::to_string(kFolders * kRecordsPerFolder) + " records in " + std::to_string(kFolders) +
                   " folders");
}

// The floor: every name of the archive's folders, nothing opened.
void ListNamesOnly(benchmark::State& state)
{
    const Archive& archive = TheArchive();
    for (auto _ : state) {
        std::vector<std::string> names;
        for (const std::filesystem::directory_entry& folder : std::filesystem::directory_iterator(archive.Root())) {
            names.push_back(folder.path().filename().string());
            for (const std::filesystem::directory_entry& file : std::filesystem::directory_iterator(folder))
                names.push_back(file.path().filename().string());
        }
        benchmark::DoNotOptimize(names.data());
    }
    ReportMilliseconds(state);
}

// CPU seconds of every thread of the process: the search reads heads on every core, and on a
// shared machine the wall time says more about the neighbours than about the search.
double ProcessCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The finder's whole search and the list it shows: heads read, records sorted newest first.
void FindAndList(benchmark::State& state)
{
    const Archive& archive = TheArchive();
    double cpu = 0.0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        std::vector<zarva::FoundRecord> records;
        zarva::LoadProgress progress;
        zarva::FindRecords({archive.Root(), true, {}}, progress,
                           [&records](zarva::FoundRecord record) { records.push_back(std::move(record)); });
        zarva::SortRecords(records, zarva::kDefaultSortMode);
        if (records.size() != static_cast<std::size_t>(kFolders * kRecordsPerFolder) || !records.front().start ||
            !records.front().station.starts_with("ПС Южная"))
            state.SkipWithError("the archive was not found whole");
        benchmark::DoNotOptimize(records.data());
        cpu += ProcessCpuSeconds() - before;
    }
    state.counters["all_threads_cpu_ms"] = 1000.0 * cpu / static_cast<double>(state.iterations());
    ReportMilliseconds(state);
}

} // namespace

BENCHMARK(ListNamesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FindAndList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
