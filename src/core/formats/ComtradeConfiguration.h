#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarva {

class Oscillogram;

enum class DataFormat { Ascii, Binary, Binary32, Float32 };

struct Configuration {
    DataFormat format = DataFormat::Ascii;
    std::int64_t declaredSamples = 0;  // the last rate line's end sample
};

// Fills the record's header facts, channels, rate segments and time fields from the text of
// a configuration file. Raises error 330 with `cfgName` for a broken configuration.
Configuration ReadConfiguration(Oscillogram& record, std::string_view text, const std::string& cfgName);

} // namespace zarva
