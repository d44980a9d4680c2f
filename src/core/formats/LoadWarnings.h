#pragma once

#include <concepts>
#include <initializer_list>
#include <string>
#include <vector>

namespace zarva {

class CalcChannels;
class Oscillogram;

// String-table texts of what a reader repaired or ignored; each "%s" takes one value.
namespace warnings {
constexpr int kMoreSamples = 4000;
constexpr int kFewerSamples = 4001;
constexpr int kTrailingBytes = 4002;
constexpr int kLineFrequency = 4003;
constexpr int kTimeMultiplier = 4004;
constexpr int kShortDataLines = 4005;
constexpr int kPackedStatusBits = 4007;
constexpr int kSampleNumbers = 4008;
constexpr int kChannelTotal = 4009;
constexpr int kStampsStray = 4010;
constexpr int kFewSamplesPerPeriod = 4011;
constexpr int kFormulaNotComputed = 4040;
} // namespace warnings

// A value put into a warning text.
struct WarningValue {
    template <std::integral Integer>
    WarningValue(Integer value) : text(std::to_string(value)) {}
    WarningValue(std::string value) : text(std::move(value)) {}
    std::string text;
};

// The text of `id` with its "%s" places filled in order.
std::string FormatText(int id, std::initializer_list<WarningValue> values);

void AddWarning(Oscillogram& record, int id, std::initializer_list<WarningValue> values = {});

// One sentence for each computed channel that could not be computed, naming its formula and
// the error.
std::vector<std::string> FormulaFailures(const CalcChannels& computed);
// Those sentences among the record's warnings.
void AddFormulaWarnings(Oscillogram& record);

} // namespace zarva
