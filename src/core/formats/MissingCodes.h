#pragma once

#include "core/formats/CfgFieldReader.h"
#include "core/formats/ComtradeConfiguration.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace zarva {

// How a COMTRADE data file marks an analog value that is missing. Revision 1991 reserved no
// binary code (every 16-bit code is a value) and marked a missing ASCII value by an empty
// field; later revisions reserve the most negative code of each integer form, and 99999 in
// ASCII. FLOAT32 holds NaN itself.
constexpr std::int32_t kMissingBinary16 = -32768;
constexpr std::int32_t kMissingBinary32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMissingAscii = 99999;

// A record of revision 1991: its first line has no revision field, or one that says 1991.
inline bool IsRevision1991(std::string_view revision)
{
    revision = TrimBlanks(revision);
    return revision.empty() || LeadingInt(revision) == 1991;
}

// The code read as a missing value in a data form of a revision (an empty ASCII field is one
// in every revision); NaN, which no code equals, where every code is a value.
inline double MissingCodeRead(DataFormat format, std::string_view revision)
{
    const bool old = IsRevision1991(revision);
    switch (format) {
    case DataFormat::Binary: return old ? std::numeric_limits<double>::quiet_NaN() : kMissingBinary16;
    case DataFormat::Binary32: return kMissingBinary32;
    case DataFormat::Ascii: return old ? std::numeric_limits<double>::quiet_NaN() : kMissingAscii;
    case DataFormat::Float32: break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

} // namespace zarva
