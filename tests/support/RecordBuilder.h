#pragma once

#include "support/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zarva::test {

struct AnalogLine {
    std::string id{};
    std::string unit = "V";
    double a = 1.0;
    double b = 0.0;
    std::string phase{};
    std::string ccbm{};
    std::string skew = "0";
    std::string min = "-32767";
    std::string max = "32767";
    // Empty primary and secondary write the 1991 layout, which ends after max.
    std::string primary = "1";
    std::string secondary = "1";
    std::string ps = "S";
};

struct DiscreteLine {
    std::string id{};
    int normalState = 0;
    std::string phase{};
    std::string ccbm{};
};

// Writes COMTRADE records for tests: a configuration and a data file in any of the four data
// forms, with any channels and rate lines, and the odd variants real recorders produce.
class RecordBuilder {
public:
    RecordBuilder& Station(std::string station, std::string recorder = "REC", std::string revision = "1999");
    RecordBuilder& Analog(AnalogLine line);
    RecordBuilder& Discrete(DiscreteLine line);
    RecordBuilder& LineFrequency(std::string text);
    // Rate lines; without any, one line with the first rate (1000) ends at the last sample.
    RecordBuilder& Rate(double rate, std::int64_t endSample);
    RecordBuilder& NoRateLines();  // "0" rate lines followed by "0,<samples>"
    RecordBuilder& Start(std::string date, std::string time);
    // As written in the configuration: "ASCII", "BINARY", "BINARY32", "FLOAT32" in any case.
    RecordBuilder& FileType(std::string type);
    RecordBuilder& TimeMultiplier(std::string text);
    RecordBuilder& TimeCodes(std::string timeCode, std::string localCode);
    RecordBuilder& FirstSampleNumber(std::uint32_t number);
    RecordBuilder& PackStatusBits();  // one bit per status channel in whole bytes, not words

    // One sample: raw analog codes, status states and the time stamp as written. Without a
    // stamp, k × 1000000 / first rate.
    RecordBuilder& Sample(std::vector<double> analog, std::vector<int> states = {},
                          std::optional<std::int64_t> stamp = std::nullopt);
    // `count` samples whose analog codes are k + 10 j and whose status bits alternate.
    RecordBuilder& Ramp(std::size_t count);

    std::string ConfigurationText() const;
    std::string DataBytes() const;

    // Writes <name>.cfg and <name>.dat (extensions as given) and returns the configuration path.
    std::filesystem::path Write(const TempFolder& folder, const std::string& name = "record",
                                const std::string& cfgExtension = ".cfg",
                                const std::string& datExtension = ".dat") const;

private:
    struct Row {
        std::vector<double> analog;
        std::vector<int> states;
        std::int64_t stamp;
    };
    std::string UpperType() const;
    std::string AsciiData() const;
    std::string BinaryData() const;
    double FirstRate() const;

    std::string station_ = "STATION";
    std::string recorder_ = "REC";
    std::string revision_ = "1999";
    std::vector<AnalogLine> analog_;
    std::vector<DiscreteLine> discrete_;
    std::string lineFrequency_ = "50";
    std::vector<std::pair<double, std::int64_t>> rates_;
    bool noRateLines_ = false;
    std::string startDate_ = "01/02/2020";
    std::string startTime_ = "10:20:30.000100";
    std::string triggerDate_ = "01/02/2020";
    std::string triggerTime_ = "10:20:30.100000";
    std::string type_ = "ASCII";
    std::string timeMultiplier_ = "1";
    std::optional<std::pair<std::string, std::string>> timeCodes_;
    std::string lineEnd_ = "\r\n";
    std::uint32_t firstNumber_ = 1;
    bool packed_ = false;
    std::vector<Row> rows_;
};

} // namespace zarva::test
