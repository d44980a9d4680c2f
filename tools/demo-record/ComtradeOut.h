#pragma once

#include "DemoParameters.h"
#include "DemoRecord.h"

#include <string>

namespace zarva::demo {

// The demo record as COMTRADE 1999 files: configuration and header in Windows-1251 with
// CR LF line ends, BINARY samples; and its settings file.
struct DemoFiles {
    std::string cfg;
    std::string dat;
    std::string hdr;
    std::string set;
};

DemoFiles FormatDemoRecord(const DemoParameters& parameters, const DemoSamples& samples);

} // namespace zarva::demo
