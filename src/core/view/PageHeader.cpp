#include "core/view/PageHeader.h"

#include "core/model/Oscillogram.h"
#include "core/model/StringTable.h"

namespace zarva {
namespace {

// Labels shared with the fault-location report, which sets them on lines of their own.
constexpr int kStationLabel = 3480;
constexpr int kRecorderLabel = 3103;
constexpr int kStartLabel = 3298;
constexpr int kTriggerLabel = 3279;

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \n");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \n") - first + 1);
}

std::string Field(int label, const std::string& value)
{
    return value.empty() ? std::string() : "    " + Trimmed(Text(label)) + " " + value;
}

} // namespace

std::string PageHeader(const Oscillogram& record, const std::string& fileName)
{
    return fileName + Field(kStationLabel, record.stationText) + Field(kRecorderLabel, record.recorderText) +
           Field(kStartLabel, record.startText) + Field(kTriggerLabel, record.triggerText);
}

} // namespace zarva
