#pragma once

#include "core/charbase/BaseLoader.h"
#include "core/charbase/FigureGeometry.h"
#include "core/model/Channel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zarva {

class CursorSet;
class Oscillogram;
class SettingsStore;

// The circle (impedance-plane) and differential diagrams: what they read from the record and
// keep in its settings, before anything is drawn.

// The options kept in the diagram's section ("Circle Chart" or "Diff Chart").
struct PlaneChartOptions {
    bool sightsOnly = true;              // only the samples between cursors 1 and 2
    bool showOffCharacteristics = true;  // the return regions too
    int viewChannelType = 0;             // 0 legend, 1 values as re/im, 2 as magnitude/angle

    bool operator==(const PlaneChartOptions&) const = default;
};

PlaneChartOptions ReadPlaneOptions(const SettingsStore& settings, ChartKind kind);
void WritePlaneOptions(SettingsStore& settings, ChartKind kind, const PlaneChartOptions& options);

// Two channels drawn as one trajectory: resistance and reactance on the circle diagram,
// braking and differential current on the differential one.
struct ChannelPair {
    std::string first;
    std::string second;
    bool shown = true;

    bool operator==(const ChannelPair&) const = default;
};

// The pairs kept with the record under the diagram section's "Channels", one entry "0", "1", …
// each, with the keys "ActiveResist"/"ReactiveResist" or "BrakeCurr"/"DiffCurr".
std::vector<ChannelPair> ReadPairs(const SettingsStore& settings, ChartKind kind);
void WritePairs(SettingsStore& settings, ChartKind kind, const std::vector<ChannelPair>& pairs);
// Shows the pairs on the diagram: one it already lists is shown again, a new one is added.
void ShowPairs(SettingsStore& settings, ChartKind kind, const std::vector<ChannelPair>& pairs);

// Channels the circle diagram draws by themselves: complex impedances ("Ohm") and powers ("VA"),
// that is channels whose values are given as complex numbers (a formula's phasors). A real
// resistance or reactance channel is drawn only in a pair.
bool IsImpedanceChannel(const Channel& channel);
bool IsPowerChannel(const Channel& channel);
bool IsCircleSource(const Channel& channel);
// "Показать все" / "Скрыть все" on the sources; pasted channels keep their choice.
void ShowAllOnCircleDiagram(Oscillogram& record, bool show);
// Takes the circle-diagram bit off every channel that is not a source.
void DropStrayCircleFlags(Oscillogram& record);

struct SampleRange {
    std::int64_t first = 0;
    std::int64_t last = -1;  // inclusive; last < first is empty
};

// The samples a trajectory covers: between cursors 1 and 2 with `sightsOnly`, else the ones
// the record view shows; both ends kept within the record.
SampleRange TrajectoryRange(std::int64_t firstVisible, std::int64_t lastVisible,
                            const CursorSet& cursors, bool sightsOnly, std::size_t sampleCount);

// One source drawn on a plane diagram.
struct Trajectory {
    std::string name;
    std::size_t colourChannel = 0;  // the channel whose colour it is drawn in
    bool power = false;             // on the power scale of the circle diagram
    std::string unit;               // the unit of both coordinates, as the channel shows it
    std::vector<PointF> points;     // a sample with a NaN part keeps its place, as NaN
    PointF atCursor;                // NaN parts read as 0
};

// The shown complex channels in channel order, then the shown pairs whose names resolve.
std::vector<Trajectory> CircleTrajectories(const Oscillogram& record, const std::vector<ChannelPair>& pairs,
                                           SampleRange range, std::int64_t cursor);
// The shown current pairs whose names resolve.
std::vector<Trajectory> DiffTrajectories(const Oscillogram& record, const std::vector<ChannelPair>& pairs,
                                         SampleRange range, std::int64_t cursor);

// Texts of the captions and of the values table.
// "%.3f": a value that would print as "-0.000" loses its sign, NaN prints as zero.
std::string ThreeDecimals(double value);
// A value with the multiple that suits it: "1.234 kA".
std::string ScalarValueText(double value, const std::string& unit);
// "re±jim <prefix><unit>", or with `polar` "magnitude <prefix><unit> ∠angle°".
std::string ComplexValueText(PointF value, const std::string& unit, bool polar);
// The value of one grid cell as "%g <prefix><unit>".
std::string CellText(double cell, const std::string& unit);

} // namespace zarva
