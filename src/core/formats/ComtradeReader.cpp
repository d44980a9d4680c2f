#include "core/formats/ComtradeReader.h"

#include "core/document/Document.h"
#include "core/document/Recompute.h"
#include "core/formats/ComtradeConfiguration.h"
#include "core/formats/ComtradeData.h"
#include "core/formats/ComtradeTime.h"
#include "core/formats/LoadWarnings.h"
#include "core/formats/MappedFile.h"
#include "core/formats/SampleRate.h"
#include "core/formats/SettingsFile.h"
#include "core/model/CodePageDetection.h"
#include "core/model/Rounding.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <cctype>

namespace zarva {
namespace {

std::string Cased(std::string_view text, bool upper)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                    : std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsUpperCase(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isupper(c); }) &&
           std::none_of(text.begin(), text.end(), [](unsigned char c) { return std::islower(c); });
}

// Binary records are timed from their rates; the time stamps are read only when no rate is
// given, and ASCII records keep their time stamps unless they have none.
bool NeedsStamps(const Oscillogram& record, DataFormat format)
{
    return format == DataFormat::Ascii || (record.sampleRate == 0 && !HasSeveralRates(record));
}

std::vector<std::int64_t> TimesFromStamps(std::vector<std::int64_t> stamps, double multiplier)
{
    if (multiplier != 1.0) {
        for (std::int64_t& stamp : stamps)
            stamp = RoundToInt64(static_cast<double>(stamp) * multiplier);
    }
    return stamps;
}

void AssignSampleTimes(Oscillogram& record, DataFormat format, DataStamps data)
{
    const std::size_t count = record.SampleCount();
    const bool timedByFile = format == DataFormat::Ascii && data.present;
    if (!timedByFile && HasSeveralRates(record)) {
        record.sampleTimes = TimesFromSegments(record, count);
    } else if (!timedByFile && record.sampleRate > 0) {
        record.sampleTimes = TimesAtRate(record.sampleRate, count);
    } else {
        data.stamps.resize(count);
        record.sampleTimes = TimesFromStamps(std::move(data.stamps), record.timeMultiplier);
        return;
    }
    if (format == DataFormat::Ascii)
        AddWarning(record, warnings::kNoTimeStamps);
}

// A record without rate lines takes its rate from the step of its first two time stamps.
void DeriveSampleRate(Oscillogram& record, const std::filesystem::path& datPath)
{
    if (record.sampleRate != 0)
        return;
    const std::vector<std::int64_t>& times = record.sampleTimes;
    const double step = times.size() >= 2 ? static_cast<double>(times[1] - times[0]) : 0.0;
    const std::int64_t rate = step > 0.0 ? SnapSampleRate(1000000.0 / step, record.lineFrequency, false) : 0;
    if (rate <= 0 || rate > std::numeric_limits<std::int32_t>::max())
        throw CZarvaException(messages::kBadFileFormat, datPath.string());
    record.sampleRate = static_cast<std::int32_t>(rate);
}

void WarnAboutSampleCount(Oscillogram& record, std::int64_t declared)
{
    const auto found = static_cast<std::int64_t>(record.SampleCount());
    if (declared <= 0 || found == declared)
        return;
    if (found > declared)
        AddWarning(record, warnings::kMoreSamples, {found - declared});
    else
        AddWarning(record, warnings::kFewerSamples, {found, declared});
}

// Every revision's header is kept, so that saving the record elsewhere carries it along.
void ReadHeader(Document& document, const std::filesystem::path& cfgPath)
{
    Oscillogram& record = document.oscillogram;
    try {
        const MappedFile header(CompanionPath(cfgPath, ".hdr"));
        record.headerText = std::string(header.Text());
    } catch (const std::exception&) {
        // A header is optional; one that cannot be read is left out.
        return;
    }
    record.headerCodePage = DetectCodePage({record.headerText});
    document.settings.Section(kCommentsSection).SetInt(kCodePageKey, CodePageSetting(record.headerCodePage));
}

} // namespace

std::filesystem::path CompanionPath(const std::filesystem::path& recordPath, std::string_view extension)
{
    const bool upper = IsUpperCase(recordPath.extension().string());
    std::filesystem::path candidates[] = {recordPath, recordPath, recordPath};
    candidates[0].replace_extension(Cased(extension, upper));
    candidates[1].replace_extension(Cased(extension, false));
    candidates[2].replace_extension(Cased(extension, true));
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::exists(candidate, error))
            return candidate;
    }
    return candidates[0];
}

void ReadComtradeFiles(Document& document, const std::filesystem::path& cfgPath, const ReadOptions& options)
{
    Oscillogram& record = document.oscillogram;
    Configuration configuration;
    {
        const MappedFile cfg(cfgPath);
        configuration = ReadConfiguration(record, cfg.Text(), cfgPath.string());
    }
    const std::filesystem::path datPath = CompanionPath(cfgPath, ".dat");
    const auto dat = std::make_shared<MappedFile>(datPath);
    DataStamps stamps =
        ReadData(document, dat, configuration.format, NeedsStamps(record, configuration.format), options.mapSamples);
    if (document.progress.CancelRequested())
        return;
    if (record.channels.empty() || record.SampleCount() == 0)
        throw CZarvaException(messages::kBadFileFormat, cfgPath.string());
    AssignSampleTimes(record, configuration.format, std::move(stamps));
    DeriveSampleRate(record, datPath);
    WarnAboutSampleCount(record, configuration.declaredSamples);

    const std::uint64_t values = std::uint64_t{record.SampleCount()} * record.channels.size();
    const std::uint64_t remaining = document.progress.Total() - std::min(document.progress.Total(), document.progress.Position());
    document.progress.SetStep(static_cast<double>(remaining) / static_cast<double>(values));
    record.lineFrequencySeries = LineFrequencySeries(record, record.SampleCount());
    record.startText = StartText(record, options.utcFor2013);
    record.triggerText = TriggerText(record, options.utcFor2013);
    ReadSettings(document, CompanionPath(cfgPath, ".set"), false);
    ReadHeader(document, cfgPath);
}

void ReadComtrade(Document& document, const std::filesystem::path& cfgPath, const ReadOptions& options)
{
    ReadComtradeFiles(document, cfgPath, options);
    if (document.progress.CancelRequested() || (options.mapSamples && document.oscillogram.calcChannels.Empty()))
        return;
    if (options.surveyCurves)
        RecomputeAll(document);
    else
        PrepareAll(document);
}

} // namespace zarva
