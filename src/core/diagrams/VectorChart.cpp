#include "core/diagrams/VectorChart.h"

#include "core/diagrams/ChannelChoice.h"
#include "core/model/Rounding.h"
#include "core/model/ZarvaException.h"
#include "core/storage/SettingsStore.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>

namespace zarva {
namespace {

const std::string kSection = kVectorChartSection;

bool UnitIs(const Channel& channel, const char* unit)
{
    const std::string& own = channel.unit;
    const std::string wanted = unit;
    return std::equal(own.begin(), own.end(), wanted.begin(), wanted.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

bool Participates(const Channel& channel)
{
    return channel.HasFlag(display::kOnVectorDiagram) && IsVectorEligible(channel);
}

// The participating channel the angles are measured from, if the settings name one.
std::optional<std::size_t> ReferenceChannel(const Oscillogram& record, const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    try {
        const std::size_t index = record.FindChannel(name);
        if (Participates(record.channels[index]))
            return index;
    } catch (const CZarvaException&) {
        // A reference that no longer exists gives absolute angles.
    }
    return std::nullopt;
}

} // namespace

VectorChartSettings ReadVectorChart(SettingsStore& store, Oscillogram& record)
{
    const SettingsSection& section = store.Section(kSection);
    VectorChartSettings settings;
    settings.angleChannelName = section.GetString("AngleChannelName");
    settings.showAnglesValue = section.GetInt("ShowAnglesValue", 0) != 0;
    settings.angleInRadians = section.GetInt("AngleInRadians", 0) != 0;
    settings.onlyDirection = section.GetInt("OnlyDirection", 0) != 0;
    for (Channel& channel : record.channels) {
        if (!IsVectorEligible(channel))
            channel.SetFlag(display::kOnVectorDiagram, false);
    }
    return settings;
}

void WriteVectorChart(SettingsStore& store, const VectorChartSettings& settings)
{
    SettingsSection& section = store.Section(kSection);
    section.SetString("AngleChannelName", settings.angleChannelName);
    section.SetInt("ShowAnglesValue", settings.showAnglesValue ? 1 : 0);
    section.SetInt("AngleInRadians", settings.angleInRadians ? 1 : 0);
    section.SetInt("OnlyDirection", settings.onlyDirection ? 1 : 0);
}

bool IsVectorEligible(const Channel& channel)
{
    return channel.IsAnalog() &&
           (channel.unit.empty() || UnitIs(channel, "A") || UnitIs(channel, "V") || UnitIs(channel, "nom"));
}

bool IsCurrentChannel(const Channel& channel)
{
    return UnitIs(channel, "A");
}

std::vector<std::size_t> VectorMenuChannels(const Oscillogram& record)
{
    return ChannelsWhere(record, IsVectorEligible);
}

std::vector<std::size_t> AngleReferenceChannels(const Oscillogram& record)
{
    return ChannelsWhere(record, Participates);
}

void ShowAllOnVectorDiagram(Oscillogram& record, bool show)
{
    for (Channel& channel : record.channels) {
        if (IsVectorEligible(channel))
            channel.SetFlag(display::kOnVectorDiagram, show);
    }
}

Phasor PhasorAt(const Channel& channel, std::int64_t sample)
{
    if (sample < 0 || static_cast<std::uint64_t>(sample) >= channel.PhasorSeries().Size())
        return {};
    const Phasor phasor = channel.PhasorSeries().At(static_cast<std::size_t>(sample));
    // An infinite part would break the full scale of every other arrow as well.
    return std::isfinite(phasor.real()) && std::isfinite(phasor.imag()) ? phasor : Phasor{};
}

double WrapAngle(double radians)
{
    return std::remainder(radians, 2.0 * std::numbers::pi);
}

double FullScale(double largest)
{
    if (!(largest > 0.0) || !std::isfinite(largest))
        return 0.0;
    double power = std::pow(10.0, std::floor(std::log10(largest)));
    double mantissa = largest / power;
    // log10 may land one decade off right at a power of ten.
    if (mantissa >= 10.0) {
        power *= 10.0;
        mantissa = largest / power;
    } else if (mantissa < 1.0) {
        power /= 10.0;
        mantissa = largest / power;
    }
    // 0.3 / 0.1 is 2.9999999999999996: a quotient that is whole up to rounding is whole.
    const double whole = std::round(mantissa);
    if (std::fabs(mantissa - whole) < 1e-9 * whole)
        mantissa = whole;
    const double scale = std::ceil(std::ceil(mantissa) / 5.0) * 5.0 * power;
    return std::isfinite(scale) ? scale : 0.0;
}

VectorPicture BuildVectorPicture(const Oscillogram& record, const VectorChartSettings& settings,
                                 std::int64_t sample)
{
    VectorPicture picture;
    const std::optional<std::size_t> reference = ReferenceChannel(record, settings.angleChannelName);
    const double referenceAngle = reference ? std::arg(PhasorAt(record.channels[*reference], sample)) : 0.0;
    picture.relativeAngles = reference.has_value();
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        const Channel& channel = record.channels[i];
        if (!Participates(channel))
            continue;
        const Phasor phasor = PhasorAt(channel, sample);
        VectorArrow arrow;
        arrow.channel = i;
        arrow.magnitude = std::abs(phasor);
        arrow.angle = WrapAngle(std::arg(phasor) - referenceAngle);
        arrow.current = IsCurrentChannel(channel);
        double& largest = arrow.current ? picture.currentScale : picture.voltageScale;
        largest = std::max(largest, arrow.magnitude);
        picture.arrows.push_back(arrow);
    }
    picture.voltageScale = FullScale(picture.voltageScale);
    picture.currentScale = FullScale(picture.currentScale);
    return picture;
}

int ArrowLength(double radius, double magnitude, double fullScale, bool onlyDirection)
{
    // A zero phasor has no direction to show, even when only directions are drawn.
    if (fullScale <= 0.0 || !(magnitude > 0.0))
        return 0;
    return RoundToInt32(onlyDirection ? radius : radius * magnitude / fullScale);
}

int GridCircles(double fullScale, double radius, double minSpacing)
{
    if (!(fullScale > 0.0))
        return 4;
    const double mantissa = fullScale / std::pow(10.0, std::floor(std::log10(fullScale) + 1e-9));
    if (mantissa > 2.0)
        return 5;  // 5 × 10^k: one circle per 10^k
    if (radius / 10.0 >= minSpacing)
        return 10;
    return radius / 5.0 >= minSpacing ? 5 : 4;
}

} // namespace zarva
