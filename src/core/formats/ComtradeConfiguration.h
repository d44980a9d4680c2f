#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarva {

class Oscillogram;

enum class DataFormat { Ascii, Binary, Binary32, Float32 };

// The data form a file type names, in any case: "ASCII", "BINARY", "BINARY32", "FLOAT32".
std::optional<DataFormat> DataFormatOf(std::string_view fileType);
// The file type as a record keeps and writes it: "ASCII", "BINARY", "binary32", "FLOAT32".
const char* FileTypeText(DataFormat format);

struct Configuration {
    DataFormat format = DataFormat::Ascii;
    std::int64_t declaredSamples = 0;  // the last rate line's end sample
};

// Fills the record's header facts, channels, rate segments and time fields from the text of
// a configuration file. Raises error 330 with `cfgName` for a broken configuration.
Configuration ReadConfiguration(Oscillogram& record, std::string_view text, const std::string& cfgName);

} // namespace zarva
