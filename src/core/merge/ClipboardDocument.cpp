#include "core/merge/ClipboardDocument.h"

#include "core/model/CodePage.h"
#include "core/model/Oscillogram.h"
#include "core/model/TextFormat.h"
#include "core/model/ZarvaException.h"
#include "core/storage/XmlDocument.h"

#include <charconv>
#include <filesystem>
#include <limits>

namespace zarva {
namespace {

// Rates above this are no recorder's; they would only make a merge grid too large to hold.
constexpr double kHighestRate = 1.0e7;

std::string Joined(const std::vector<std::int64_t>& values, std::size_t count)
{
    std::string text;
    char number[32];
    for (std::size_t i = 0; i < count && i < values.size(); ++i) {
        if (i > 0)
            text += ',';
        text.append(number, std::to_chars(number, number + sizeof number, values[i]).ptr);
    }
    return text;
}

std::string JoinedGeneral(const std::vector<double>& values)
{
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += ',';
        text += FormatText("%g", {values[i]});
    }
    return text;
}

// Every value followed by a comma, the last one too.
std::string SampleText(std::span<const double> values)
{
    std::string text;
    text.reserve(values.size() * 12);
    char number[400];
    for (const double value : values) {
        text.append(number, std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 6).ptr);
        text += ',';
    }
    return text;
}

const char* TrueOrFalse(bool value) { return value ? "true" : "false"; }

void AddChannel(XmlNode& root, const Oscillogram& record, const Channel& channel, const std::string& span)
{
    XmlNode& node = root.AddChild("channel");
    node.SetAttribute("name", channel.name);
    node.SetAttribute("dimension", DecodeText(channel.unit8, record.codePage));
    node.SetAttribute("type", channel.IsAnalog() ? "analog" : "discret");
    node.SetAttribute("desc2", DecodeText(channel.phase, record.codePage));
    node.SetAttribute("desc3", DecodeText(channel.circuitComponent, record.codePage));
    node.SetAttribute("values_type", channel.valuesArePrimary ? "primary" : "secondary");
    node.SetAttribute("primary_mode", TrueOrFalse(channel.showPrimary));
    node.SetAttribute("mul", ExactText(channel.multiplier));
    node.SetAttribute("offset", ExactText(channel.offset));
    node.SetAttribute("timeShift", ExactText(channel.timeShift));
    node.SetAttribute("primary_value", ExactText(channel.primary));
    node.SetAttribute("secondary_value", ExactText(channel.secondary));
    node.SetAttribute("file_primary_value", ExactText(channel.filePrimary));
    node.SetAttribute("file_secondary_value", ExactText(channel.fileSecondary));
    node.SetAttribute("normal_state", std::to_string(channel.normalState));
    node.SetAttribute("values_count", std::to_string(channel.samples.Size()));
    node.SetAttribute("custom_color_set", TrueOrFalse(channel.customColourSet));
    node.SetAttribute("color_custom", std::to_string(channel.customColour));
    node.SetAttribute("data", SampleText(channel.samples.View().ToVector()));
    node.SetAttribute("record_start_date", record.startDate);
    node.SetAttribute("record_start_time", record.startTime);
    node.SetAttribute("duration_milli_sec", span);
}

// The record's span in microseconds, on its own time axis.
std::string SpanText(const Oscillogram& record)
{
    const std::size_t count = std::min(record.SampleCount(), record.sampleTimes.size());
    const std::int64_t span = count > 0 ? record.sampleTimes[count - 1] - record.sampleTimes[0] : 0;
    return FormatText("%g", {static_cast<double>(span)});
}

[[noreturn]] void Refuse(const std::string& what)
{
    throw CZarvaException(messages::kBadFileFormat, what);
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

template <class Number>
bool ReadNumber(std::string_view text, Number& value)
{
    text = Trimmed(text);
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

template <class Number>
Number NumberAttribute(const XmlNode& node, const std::string& name, Number absent)
{
    const std::string& text = node.GetAttribute(name);
    if (text.empty())
        return absent;
    Number value{};
    if (!ReadNumber(text, value))
        Refuse(name);
    return value;
}

// The comma-separated items of a list, an empty last item (a trailing comma) ignored.
template <class Number, class Store>
void ReadList(const XmlNode& node, const std::string& name, Store&& store)
{
    const std::string_view text = node.GetAttribute(name);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t comma = text.find(',', at);
        if (comma == std::string_view::npos)
            comma = text.size();
        Number value{};
        if (!ReadNumber(text.substr(at, comma - at), value))
            Refuse(name);
        if (!store(value))
            return;
        at = comma + 1;
    }
}

std::shared_ptr<const std::vector<std::int64_t>> ReadTimes(const XmlNode& root, std::size_t count)
{
    auto times = std::make_shared<std::vector<std::int64_t>>();
    times->reserve(count);
    ReadList<std::int64_t>(root, "times", [&](std::int64_t time) {
        if (!times->empty() && time < times->back())
            Refuse("times");
        times->push_back(time);
        return times->size() < count;
    });
    if (times->size() < count)
        Refuse("times");
    return times;
}

std::vector<double> ReadLineFrequencies(const XmlNode& root, std::size_t count)
{
    std::vector<double> frequencies;
    ReadList<double>(root, "net_frequency", [&](double value) {
        frequencies.push_back(value);
        return frequencies.size() < count;
    });
    // A record that does not follow the line frequency has none to give.
    if (!frequencies.empty() && frequencies.size() < count)
        Refuse("net_frequency");
    return frequencies;
}

bool IsTrue(const XmlNode& node, const std::string& name) { return node.GetAttribute(name) == "true"; }

Channel ReadChannel(const XmlNode& node, const CopiedChannels& copied, std::size_t count)
{
    const std::string& type = node.GetAttribute("type");
    if (type != "analog" && type != "discret")
        Refuse("type");
    Channel channel(type == "analog" ? ChannelKind::Analog : ChannelKind::Discrete, nullptr);
    channel.name = node.GetAttribute("name");
    channel.unit8 = node.GetAttribute("dimension");
    channel.phase = node.GetAttribute("desc2");
    channel.circuitComponent = node.GetAttribute("desc3");
    channel.valuesArePrimary = node.GetAttribute("values_type") == "primary";
    channel.showPrimary = IsTrue(node, "primary_mode");
    channel.multiplier = NumberAttribute(node, "mul", channel.multiplier);
    channel.offset = NumberAttribute(node, "offset", channel.offset);
    channel.timeShift = NumberAttribute(node, "timeShift", channel.timeShift);
    channel.primary = NumberAttribute(node, "primary_value", channel.primary);
    channel.secondary = NumberAttribute(node, "secondary_value", channel.secondary);
    channel.filePrimary = NumberAttribute(node, "file_primary_value", channel.filePrimary);
    channel.fileSecondary = NumberAttribute(node, "file_secondary_value", channel.fileSecondary);
    channel.normalState = NumberAttribute(node, "normal_state", channel.normalState);
    channel.customColourSet = IsTrue(node, "custom_color_set");
    channel.customColour = NumberAttribute(node, "color_custom", channel.customColour);
    if (NumberAttribute<std::int64_t>(node, "values_count", static_cast<std::int64_t>(count)) !=
        static_cast<std::int64_t>(count))
        Refuse("values_count");

    std::vector<double> samples;
    samples.reserve(count);
    ReadList<double>(node, "data", [&](double value) {
        if (samples.size() == count)
            Refuse("data");
        samples.push_back(channel.IsDiscrete() ? (value != 0.0 ? 1.0 : 0.0) : value);
        return true;
    });
    if (samples.size() != count)
        Refuse("data");
    channel.samples.Assign(std::move(samples));

    channel.SetFlag(display::kPasted, true);
    channel.ownSampleRate = copied.sampleRate;
    channel.ownTimes = copied.times;
    channel.lineFrequencySeries = copied.lineFrequencies;
    channel.pastedSource = {node.GetAttribute("record_start_date"), node.GetAttribute("record_start_time"),
                            node.GetAttribute("duration_milli_sec")};
    return channel;
}

} // namespace

std::string ClipboardText(const Oscillogram& record)
{
    const std::size_t count = record.SampleCount();
    XmlNode root("channels");
    root.SetAttribute("num_values", std::to_string(count));
    root.SetAttribute("time_multiplier", ExactText(record.timeMultiplier));
    root.SetAttribute("discr_frequency", std::to_string(record.sampleRate));
    root.SetAttribute("times", Joined(record.sampleTimes, count));
    root.SetAttribute("net_frequency", JoinedGeneral(record.lineFrequencySeries));
    root.SetAttribute("stationID", record.stationText);
    root.SetAttribute("blockID", record.recorderText);
    root.SetAttribute("title", std::filesystem::path(record.sourcePath).stem().string());
    root.SetAttribute("hdrFile", DecodeText(record.headerText, record.headerCodePage));
    root.SetAttribute("startTime", record.startText);
    const std::string span = SpanText(record);
    for (const Channel& channel : record.channels) {
        if (channel.selected && !channel.HasFlag(display::kPasted) && !record.calcChannels.Computes(channel.name) &&
            channel.samples.Size() == count)
            AddChannel(root, record, channel, span);
    }
    return root.ToText();
}

CopiedChannels ParseClipboardText(std::string_view text)
{
    XmlDocument document;
    if (!document.LoadText(text))
        throw CZarvaException(messages::kBadXmlFormat);
    const XmlNode& root = document.root;
    if (root.name != "channels")
        Refuse("channels");

    CopiedChannels copied;
    const auto count = NumberAttribute<std::int64_t>(root, "num_values", 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > text.size())
        Refuse("num_values");
    const auto samples = static_cast<std::size_t>(count);
    copied.sampleRate = NumberAttribute(root, "discr_frequency", 0.0);
    if (!(copied.sampleRate > 0.0 && copied.sampleRate <= kHighestRate))
        Refuse("discr_frequency");
    copied.timeMultiplier = NumberAttribute(root, "time_multiplier", 1.0);
    copied.times = ReadTimes(root, samples);
    copied.lineFrequencies = ReadLineFrequencies(root, samples);
    copied.stationId = root.GetAttribute("stationID");
    copied.blockId = root.GetAttribute("blockID");
    copied.title = root.GetAttribute("title");
    copied.headerText = root.GetAttribute("hdrFile");
    copied.startTime = root.GetAttribute("startTime");
    for (const XmlNode& node : root.children) {
        if (node.name == "channel")
            copied.channels.push_back(ReadChannel(node, copied, samples));
    }
    return copied;
}

} // namespace zarva
