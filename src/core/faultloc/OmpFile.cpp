#include "core/faultloc/OmpFile.h"

#include "core/storage/SettingsStore.h"

namespace zarva {
namespace {

constexpr const char* kOmpSection = "omp";

} // namespace

void SaveOmpFile(const WrongPlaceLocatorData::LineModel& model, const std::filesystem::path& path)
{
    SettingsStore store;
    model.Save(store.Section(kOmpSection));
    store.Save(path);
}

bool LoadOmpFile(WrongPlaceLocatorData::LineModel& model, const std::filesystem::path& path)
{
    SettingsStore store;
    store.Load(path);
    if (store.Sections().empty())
        return false;
    model.Load(store.Section(kOmpSection));
    return true;
}

} // namespace zarva
