#include "core/faultloc/LineData.h"

namespace zarva {
namespace {

using namespace WrongPlaceLocatorData;

Phasor Impedance(const Element& element, const char* r, const char* x)
{
    return {element.Number(r), element.Number(x)};
}

} // namespace

double LineData::Length() const
{
    double length = 0.0;
    for (const LineSection& section : sections)
        length += section.length;
    return length;
}

std::size_t LineData::SectionAt(double distance, double* fromStart) const
{
    double start = 0.0;
    for (std::size_t k = 0; k + 1 < sections.size(); ++k) {
        if (distance <= start + sections[k].length) {
            *fromStart = distance - start;
            return k;
        }
        start += sections[k].length;
    }
    *fromStart = distance - start;
    return sections.empty() ? 0 : sections.size() - 1;
}

LineData ReadLineData(const LineModel& model)
{
    LineData line;
    const Station& station = model.StationAt(0);
    line.ratedCurrent = station.Number("In");
    for (std::size_t n = 0; n < station.SectionCount(); ++n) {
        const Section& section = station.SectionAt(n);
        LineSection& out = line.sections.emplace_back();
        out.length = section.Number("lenght");
        out.poles = section.Number("sup_number");
        out.z = Impedance(section, "r", "x");
        out.z1 = Impedance(section, "r1", "x1");
        out.z0 = Impedance(section, "r0", "x0");
        for (const auto& parallel : section.ParallelLines())
            out.parallels.push_back({Impedance(*parallel, "rm", "xm"), parallel->Value("I0")});
        for (const auto& tap : section.Connections())
            out.taps.push_back(Impedance(*tap, "r0", "x0"));
    }
    return line;
}

} // namespace zarva
