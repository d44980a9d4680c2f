#include "core/faultloc/ModelValidation.h"

#include "core/faultloc/LocatorMessages.h"
#include "core/model/StringTable.h"

#include <cmath>

namespace zarva {
namespace {

using WrongPlaceLocatorData::Element;
using WrongPlaceLocatorData::LineModel;
using WrongPlaceLocatorData::Section;
using Outcome = std::optional<CZarvaException>;

constexpr int kSectionTitle = 3512;
constexpr int kZeroLength = 3187;
constexpr int kZeroPoles = 3535;
constexpr int kZeroRX = 3068;
constexpr int kZeroR0X0 = 3071;
constexpr int kZeroR1X1 = 3074;
constexpr int kZeroRmXm = 3076;
// More poles than this on one section cannot be real, and would overflow the pole index.
constexpr double kMostPoles = 1e6;

// "Участок 2: R1 удельное (Ом/км) = nan"
CZarvaException BadValue(const Element& element, std::size_t sectionNumber, const char* key)
{
    return CZarvaException(messages::kBadLocatorValue, Text(kSectionTitle) + " " + std::to_string(sectionNumber) +
                                                           ": " + element.Find(key)->name + " = " +
                                                           element.Value(key));
}

Outcome CheckPair(const Element& element, std::size_t number, const char* r, const char* x, int zeroMessage)
{
    for (const char* key : {r, x}) {
        if (!std::isfinite(element.Number(key)))
            return BadValue(element, number, key);
    }
    if (element.Number(r) == 0.0 && element.Number(x) == 0.0)
        return CZarvaException(zeroMessage);
    return std::nullopt;
}

Outcome CheckCount(const Section& line, std::size_t number, const char* key, int zeroMessage, double least,
                   double most)
{
    const double value = line.Number(key);
    if (value == 0.0)
        return CZarvaException(zeroMessage);
    if (!(value >= least && value <= most))
        return BadValue(line, number, key);
    return std::nullopt;
}

Outcome CheckSection(const Section& line, std::size_t number, int type)
{
    if (auto error = CheckCount(line, number, "lenght", kZeroLength, 0.0, HUGE_VAL))
        return error;
    if (auto error = CheckCount(line, number, "sup_number", kZeroPoles, 1.0, kMostPoles))
        return error;
    if (type == WrongPlaceLocatorData::kIsolatedNeutral)
        return CheckPair(line, number, "r", "x", kZeroRX);
    if (auto error = CheckPair(line, number, "r1", "x1", kZeroR1X1))
        return error;
    if (auto error = CheckPair(line, number, "r0", "x0", kZeroR0X0))
        return error;
    for (const auto& parallel : line.ParallelLines()) {
        if (auto error = CheckPair(*parallel, number, "rm", "xm", kZeroRmXm))
            return error;
    }
    for (const auto& tap : line.Connections()) {
        if (auto error = CheckPair(*tap, number, "r0", "x0", kZeroR0X0))
            return error;
    }
    return std::nullopt;
}

} // namespace

std::optional<CZarvaException> Validate(const LineModel& model)
{
    const auto& station = model.StationAt(0);
    for (std::size_t n = 0; n < station.SectionCount(); ++n) {
        if (auto error = CheckSection(station.SectionAt(n), n + 1, model.type))
            return error;
    }
    return std::nullopt;
}

} // namespace zarva
