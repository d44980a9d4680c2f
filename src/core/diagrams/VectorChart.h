#pragma once

#include "core/model/Channel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zarva {

class Oscillogram;
class SettingsStore;

// The record settings section of the diagram's options.
inline constexpr const char* kVectorChartSection = "Vector Chart";

// The vector diagram's options, kept in the record's "Vector Chart" section.
struct VectorChartSettings {
    std::string angleChannelName;  // empty: absolute angles
    bool showAnglesValue = false;
    bool angleInRadians = false;
    bool onlyDirection = false;

    bool operator==(const VectorChartSettings&) const = default;
};

// Reads the options and takes the vector-diagram bit off every channel that may not carry it.
VectorChartSettings ReadVectorChart(SettingsStore& store, Oscillogram& record);
void WriteVectorChart(SettingsStore& store, const VectorChartSettings& settings);

// An analog channel in volts, amperes, nominal units or without a unit.
bool IsVectorEligible(const Channel& channel);
// Currents share the I scale; every other channel is drawn on the U scale.
bool IsCurrentChannel(const Channel& channel);

// The analog channels the channels menu lists, and those the angle reference menu lists (the
// participating ones).
std::vector<std::size_t> VectorMenuChannels(const Oscillogram& record);
std::vector<std::size_t> AngleReferenceChannels(const Oscillogram& record);
// "Показать все" / "Скрыть все": the bit on or off on every eligible channel.
void ShowAllOnVectorDiagram(Oscillogram& record, bool show);

// The channels' phasors at a sample: a phasor that is not a number (or beyond the series)
// counts as zero.
Phasor PhasorAt(const Channel& channel, std::int64_t sample);

// An angle brought into −π … π.
double WrapAngle(double radians);

// The scale a largest magnitude is drawn against: rounded up to 5 × 10^k or 10^(k+1).
// Zero, negative or not finite gives 0.
double FullScale(double largest);

struct VectorArrow {
    std::size_t channel = 0;  // index into the record's channels
    double magnitude = 0.0;
    double angle = 0.0;  // radians, counter-clockwise, relative to the reference when there is one
    bool current = false;
};

struct VectorPicture {
    std::vector<VectorArrow> arrows;  // in channel order
    double voltageScale = 0.0;
    double currentScale = 0.0;
    bool relativeAngles = false;  // a participating reference channel was found
};

// The phasors of the participating channels at `sample`, their angles against the reference
// channel, and both full scales.
VectorPicture BuildVectorPicture(const Oscillogram& record, const VectorChartSettings& settings,
                                 std::int64_t sample);

// Length in pixels of an arrow on a diagram of `radius`: the whole radius for direction only,
// 0 against a zero scale.
int ArrowLength(double radius, double magnitude, double fullScale, bool onlyDirection);

// How many evenly spaced circles the grid draws (4, 5 or 10): one per round step of the
// full scale where the radius leaves them at least `minSpacing` pixels apart.
int GridCircles(double fullScale, double radius, double minSpacing);

} // namespace zarva
