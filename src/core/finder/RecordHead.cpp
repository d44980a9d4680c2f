#include "core/finder/RecordHead.h"

#include "core/document/TemporaryFolder.h"
#include "core/formats/CffFile.h"
#include "core/formats/ComtradeReader.h"
#include "core/formats/ComtradeConfiguration.h"
#include "core/formats/MappedFile.h"
#include "core/formats/Osc2Reader.h"
#include "core/formats/SettingsFile.h"
#include "core/model/Oscillogram.h"
#include "core/model/ZarvaException.h"

#include <exception>

namespace zarva {
namespace {

constexpr std::string_view kConfigurationSection = "CFG";

void ReadCfgHead(Oscillogram& record, const std::filesystem::path& path)
{
    const MappedFile cfg(path);
    ReadConfiguration(record, cfg.Text(), path.string());
}

void ReadCffHead(Oscillogram& record, const std::filesystem::path& path)
{
    const MappedFile file(path);
    for (const CffSection& section : SplitCff(file.Text(), path.string())) {
        if (section.name == kConfigurationSection) {
            ReadConfiguration(record, section.bytes, path.string());
            return;
        }
    }
}

// A code page the user forced on the record is kept in its settings file; a settings file
// that cannot be read leaves the texts as the record's own head gives them.
void ApplyForcedCodePage(Oscillogram& record, const std::filesystem::path& path)
{
    try {
        ApplySettingsCodePage(record, CompanionPath(path, ".set"));
    } catch (const std::exception&) {
    }
}

void FillFacts(FoundRecord& found, const Oscillogram& record)
{
    found.station = record.stationText;
    found.recorder = record.recorderText;
    found.start = ParseMoment(record.startDate, record.startTime, DatesDayFirst(record));
}

// The converted files live only as long as their facts are read.
class ConvertedSto {
public:
    ConvertedSto(const std::filesystem::path& path, const StoConversionSetup& setup)
        : cfg_(setup.makeConverter ? ConvertSto(path, setup) : std::filesystem::path())
    {
    }
    ~ConvertedSto()
    {
        if (!cfg_.empty())
            DeleteTemporaryFolder(cfg_.parent_path());
    }
    ConvertedSto(const ConvertedSto&) = delete;
    ConvertedSto& operator=(const ConvertedSto&) = delete;

    const std::filesystem::path& Cfg() const { return cfg_; }

private:
    std::filesystem::path cfg_;
};

// A converter's failure is the converter's: the file is still listed, without facts.
void ReadStoHead(FoundRecord& found, const StoConversionSetup& setup)
{
    Oscillogram record(nullptr);
    try {
        const ConvertedSto converted(found.path, setup);
        if (converted.Cfg().empty())
            return;
        ReadCfgHead(record, converted.Cfg());
    } catch (const std::exception&) {
        return;
    }
    FillFacts(found, record);
}

} // namespace

std::optional<FoundRecord> ReadRecordHead(const std::filesystem::path& path, const StoConversionSetup& sto)
{
    const std::optional<RecordType> type = RecordTypeOf(path);
    if (!type)
        return std::nullopt;
    FoundRecord found{path, *type, {}, {}, std::nullopt};
    if (*type == RecordType::Sto) {
        ReadStoHead(found, sto);
        return found;
    }
    Oscillogram record(nullptr);
    try {
        if (*type == RecordType::Cfg)
            ReadCfgHead(record, path);
        else if (*type == RecordType::Cff)
            ReadCffHead(record, path);
        else
            ReadOsc2Head(record, path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    ApplyForcedCodePage(record, path);
    FillFacts(found, record);
    return found;
}

} // namespace zarva
