#include "gui/app/AppSettings.h"

#include "gui/app/Texts.h"

#include "core/dsp/SeriesCache.h"

#include <QSettings>

#include <algorithm>
#include <climits>

namespace zarva::gui {
namespace {

constexpr int kCompanyText = 3281;
const QString kPrintSection = QStringLiteral("Print Parameters");
const QString kSettingsSection = QStringLiteral("Settings Parameters");
const QString kSeriesMemoryKey = QStringLiteral("Derived Series Memory");
constexpr int kMebibyte = 20;

} // namespace

int ProgramParameters::DefaultSeriesMemoryMb()
{
    return static_cast<int>(std::min<std::size_t>(SeriesCache::DefaultBudget() >> kMebibyte, INT_MAX));
}

void ProgramParameters::ApplySeriesMemory() const
{
    SeriesCache::Shared().SetBudget(static_cast<std::size_t>(std::max(seriesMemoryMb, 0)) << kMebibyte);
}

std::unique_ptr<QSettings> OpenUserSettings()
{
    // The store's name stays the same whatever language the interface speaks.
    const QString company = Tr(kCompanyText).isEmpty() ? QStringLiteral("Brannik") : Tr(kCompanyText);
    return std::make_unique<QSettings>(company, QStringLiteral("Zarva"));
}

AppSettings::AppSettings(std::unique_ptr<QSettings> store) : store_(std::move(store))
{
    Load();
}

AppSettings::~AppSettings() = default;

void AppSettings::Load()
{
    if (!store_)
        return;
    QSettings& s = *store_;
    s.beginGroup(kPrintSection);
    print.leftMargin = s.value(QStringLiteral("Left Margin"), print.leftMargin).toInt();
    print.rightMargin = s.value(QStringLiteral("Right Margin"), print.rightMargin).toInt();
    print.topMargin = s.value(QStringLiteral("Top Margin"), print.topMargin).toInt();
    print.bottomMargin = s.value(QStringLiteral("Bottom Margin"), print.bottomMargin).toInt();
    print.pageOrientation = s.value(QStringLiteral("Page Orientation"), print.pageOrientation).toInt();
    s.endGroup();
    s.beginGroup(kSettingsSection);
    program.dstFolder = s.value(QStringLiteral("Dst folder")).toString();
    program.utcFor2013 = s.value(QStringLiteral("UTC for Comtrade2013"), 1).toInt() != 0;
    program.language = s.value(QStringLiteral("Language")).toString();
    program.style = s.value(QStringLiteral("Style")).toString();
    program.seriesMemoryMb = s.value(kSeriesMemoryKey, program.seriesMemoryMb).toInt();
    s.endGroup();
}

void AppSettings::Save()
{
    if (!store_)
        return;
    QSettings& s = *store_;
    s.beginGroup(kPrintSection);
    s.setValue(QStringLiteral("Left Margin"), print.leftMargin);
    s.setValue(QStringLiteral("Right Margin"), print.rightMargin);
    s.setValue(QStringLiteral("Top Margin"), print.topMargin);
    s.setValue(QStringLiteral("Bottom Margin"), print.bottomMargin);
    s.setValue(QStringLiteral("Page Orientation"), print.pageOrientation);
    s.endGroup();
    s.beginGroup(kSettingsSection);
    s.setValue(QStringLiteral("Dst folder"), program.dstFolder);
    s.setValue(QStringLiteral("UTC for Comtrade2013"), program.utcFor2013 ? 1 : 0);
    s.setValue(QStringLiteral("Language"), program.language);
    s.setValue(QStringLiteral("Style"), program.style);
    s.setValue(kSeriesMemoryKey, program.seriesMemoryMb);
    s.endGroup();
    s.sync();
}

} // namespace zarva::gui
