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
#include <optional>

namespace zarva {
namespace {

std::vector<std::int64_t> TimesFromStamps(std::vector<std::int64_t> stamps, double multiplier)
{
    if (multiplier != 1.0) {
        for (std::int64_t& stamp : stamps)
            stamp = RoundToInt64(static_cast<double>(stamp) * multiplier);
    }
    return stamps;
}

// A record that declares its rates is timed by them exactly as written, whatever its data form;
// its stamps are only checked. The stamps time the others.
void AssignSampleTimes(Oscillogram& record, DataStamps data, const std::optional<StampCheck>& check)
{
    const std::size_t count = record.SampleCount();
    if (!check) {
        data.stamps.resize(count);
        record.sampleTimes = TimesFromStamps(std::move(data.stamps), record.timeMultiplier);
        return;
    }
    record.sampleTimes = TimesFromSegments(record, count);
    if (const double excess = check->Excess(); excess > 0.0)
        AddWarning(record, warnings::kStampsStray, {RoundToInt64(excess)});
}

// A record without rate lines takes its rate from its time stamps, over the whole record.
void DeriveSampleRate(Oscillogram& record, const std::filesystem::path& datPath)
{
    if (record.sampleRate != 0)
        return;
    const std::vector<std::int64_t>& times = record.sampleTimes;
    const double span = times.size() >= 2 ? static_cast<double>(times.back() - times.front()) : 0.0;
    const double rate = span > 0.0 ? static_cast<double>(times.size() - 1) * 1e6 / span : 0.0;
    const std::int64_t whole = RecordSampleRate(rate, record.lineFrequency, false);
    if (whole <= 0 || whole > std::numeric_limits<std::int32_t>::max())
        throw CZarvaException(messages::kBadFileFormat, datPath.string());
    record.sampleRate = static_cast<std::int32_t>(whole);
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
    // A page the user chose for the header is kept over the guess.
    SettingsSection& comments = document.settings.Section(kCommentsSection);
    record.headerCodePage = StoredCodePage(comments, DetectCodePage({record.headerText}));
    comments.SetInt(kCodePageKey, CodePageSetting(record.headerCodePage));
}

} // namespace

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
    std::optional<StampCheck> check;
    if (HasDeclaredRates(record))
        check.emplace(record);
    DataStamps stamps = ReadData(document, dat, configuration.format, check ? &*check : nullptr, options.mapSamples);
    if (document.progress.CancelRequested())
        return;
    if (record.channels.empty() || record.SampleCount() == 0)
        throw CZarvaException(messages::kBadFileFormat, cfgPath.string());
    AssignSampleTimes(record, std::move(stamps), check);
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
    if (!record.HasWindowMeasures())
        AddWarning(record, warnings::kFewSamplesPerPeriod,
                   {record.sampleRate, Oscillogram::kFewestSamplesPerPeriod});
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
