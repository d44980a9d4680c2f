#include "core/formats/ComtradeConfiguration.h"

#include "core/formats/CfgFieldReader.h"
#include "core/formats/FormatError.h"
#include "core/formats/LoadWarnings.h"
#include "core/formats/SampleRate.h"
#include "core/model/CodePageDetection.h"
#include "core/model/Oscillogram.h"
#include "core/model/Units.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

struct KnownType {
    const char* kept;
    DataFormat format;
};

constexpr KnownType kTypes[] = {{"ASCII", DataFormat::Ascii},
                                {"BINARY", DataFormat::Binary},
                                {"binary32", DataFormat::Binary32},
                                {"FLOAT32", DataFormat::Float32}};

// Far beyond any recorder; a count above it is a broken file, not a record to allocate for.
constexpr std::int64_t kMostSamples = 1'000'000'000;

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

std::size_t FieldCount(std::string_view line)
{
    line = TrimBlanks(line);
    return line.empty() ? 0 : static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1;
}

std::string TrimEnd(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

// The one rate of the record. Frequency-tracking recorders vary the rate by a fraction of a
// percent from line to line: their average is matched against the bands of standard rates.
// Rate lines that all give one rate are that rate; recorders that switch between a fast and a
// slow rate record the fault at the fast one, which the window measures need.
std::int64_t RecordRate(const std::vector<RateSegment>& segments, double lineFrequency)
{
    double sum = 0.0;
    double lowest = segments.front().rate;
    double highest = segments.front().rate;
    for (const RateSegment& segment : segments) {
        sum += segment.rate;
        lowest = std::min(lowest, segment.rate);
        highest = std::max(highest, segment.rate);
    }
    if (lowest > 0.0 && highest >= 1.5 * lowest)
        return RecordSampleRate(highest, lineFrequency, false);
    return RecordSampleRate(sum / static_cast<double>(segments.size()), lineFrequency, highest != lowest);
}

class ConfigurationParser {
public:
    ConfigurationParser(Oscillogram& record, std::string_view text, const std::string& cfgName)
        : record_(record), text_(text), file_(text), cfgName_(cfgName)
    {
    }

    Configuration Parse();

private:
    [[noreturn]] void Fail(FormatError::Fault fault, std::size_t field = 0, std::string_view value = {}) const
    {
        throw FormatError(fault, cfgName_, LineNumberAt(text_, lineStart_), field, value);
    }
    // Field `index` (from 1) of the current line as a number; an empty field is 0, as
    // recorders leave out offsets and skews.
    double Number(std::string_view field, std::size_t index) const;
    std::string_view NextLine();
    void ReadHeaderLine();
    void ReadChannelCounts(std::int64_t& analog, std::int64_t& discrete);
    void ReadAnalogLine(std::string_view line);
    void ReadDiscreteLine(std::string_view line);
    void ReadLineFrequency();
    std::int64_t ReadRates();
    DataFormat ReadFileType();
    void ReadTail();

    Oscillogram& record_;
    std::string_view text_;
    CfgFieldReader file_;
    const std::string& cfgName_;
    std::size_t lineStart_ = 0;
};

double ConfigurationParser::Number(std::string_view field, std::size_t index) const
{
    const std::optional<double> number = LeadingNumber(field);
    if (!number && !TrimBlanks(field).empty())
        Fail(FormatError::Fault::NotANumber, index, field);
    return number.value_or(0.0);
}

std::string_view ConfigurationParser::NextLine()
{
    file_.SkipBlank();
    lineStart_ = file_.Position();
    if (file_.AtEnd())
        Fail(FormatError::Fault::EndsEarly);
    return file_.ReadLine();
}

void ConfigurationParser::ReadHeaderLine()
{
    CfgFieldReader fields(file_.ReadLine());
    record_.stationName = std::string(fields.ReadField());
    record_.recorderId = std::string(fields.ReadField());
    record_.revisionYear = std::string(TrimBlanks(fields.ReadField()));
}

void ConfigurationParser::ReadChannelCounts(std::int64_t& analog, std::int64_t& discrete)
{
    CfgFieldReader fields(NextLine());
    const std::string_view total = fields.ReadField();
    const std::string_view second = TrimBlanks(fields.ReadField());
    const std::string_view third = fields.ReadField();
    if (LeadingInt(total) == LeadingInt(second)) {
        const bool analogFirst = !second.empty() && std::toupper(static_cast<unsigned char>(second.back())) == 'A';
        analog = analogFirst ? LeadingInt(second) : 0;
        discrete = analogFirst ? LeadingInt(third) : LeadingInt(second);
    } else {
        analog = LeadingInt(second);
        discrete = LeadingInt(third);
    }
    // Every channel needs a line of its own, so a count beyond the file's size is broken.
    if (analog < 0 || analog > static_cast<std::int64_t>(text_.size()))
        Fail(FormatError::Fault::BadValue, 2, second);
    if (discrete < 0 || analog + discrete > static_cast<std::int64_t>(text_.size()))
        Fail(FormatError::Fault::BadValue, 3, third);
    if (LeadingInt(total) != analog + discrete)
        AddWarning(record_, warnings::kChannelTotal, {LeadingInt(total), analog + discrete});
}

void ConfigurationParser::ReadAnalogLine(std::string_view line)
{
    Channel channel(ChannelKind::Analog, record_.owner);
    CfgFieldReader fields(line);
    fields.ReadField();
    channel.channelId = TrimEnd(fields.ReadField());
    channel.phase = std::string(fields.ReadField());
    channel.circuitComponent = std::string(fields.ReadField());
    channel.unit8 = std::string(fields.ReadField());
    channel.multiplier = Number(fields.ReadField(), 6);
    channel.offset = Number(fields.ReadField(), 7);
    channel.timeShift = Number(fields.ReadField(), 8);
    // Whole codes, or fractions for FLOAT32 data.
    const double min = Number(fields.ReadField(), 9);
    const double max = Number(fields.ReadField(), 10);
    fields.SkipBlank();
    if (!fields.AtEnd()) {
        channel.primaryText = std::string(fields.ReadField());
        channel.primary = Number(channel.primaryText, 11);
        channel.secondaryText = std::string(fields.ReadField());
        channel.secondary = Number(channel.secondaryText, 12);
        channel.valuesArePrimary = EqualIgnoringCase(TrimBlanks(fields.ReadField()), "P");
    }
    // A negative multiplier turns the largest code into the smallest value.
    const double first = min * channel.multiplier + channel.offset;
    const double second = max * channel.multiplier + channel.offset;
    channel.rangeMin = std::min(first, second);
    channel.rangeMax = std::max(first, second);
    channel.filePrimary = channel.primary;
    channel.fileSecondary = channel.secondary;
    record_.channels.push_back(std::move(channel));
    ++record_.analogCount;
}

void ConfigurationParser::ReadDiscreteLine(std::string_view line)
{
    Channel channel(ChannelKind::Discrete, record_.owner);
    CfgFieldReader fields(line);
    // The three-field layout of revision 1991 also turns up in later files.
    const bool shortLayout = record_.revisionYear.empty() || FieldCount(line) == 3;
    fields.ReadField();
    channel.channelId = TrimEnd(fields.ReadField());
    if (!shortLayout) {
        channel.phase = std::string(fields.ReadField());
        channel.circuitComponent = std::string(fields.ReadField());
    }
    channel.normalState = fields.ReadInt();
    channel.multiplier = 1.0;
    channel.offset = 0.0;
    record_.channels.push_back(std::move(channel));
    ++record_.discreteCount;
}

void ConfigurationParser::ReadLineFrequency()
{
    CfgFieldReader fields(NextLine());
    const std::string_view written = TrimBlanks(fields.ReadField());
    record_.lineFrequency = ToNumber(written);
    // Every period and sample-rate computation divides by it.
    if (!(record_.lineFrequency > 0.0) || !std::isfinite(record_.lineFrequency)) {
        AddWarning(record_, warnings::kLineFrequency, {std::string(written)});
        record_.lineFrequency = 50.0;
    }
}

std::int64_t ConfigurationParser::ReadRates()
{
    const std::string_view count = NextLine();
    Number(CfgFieldReader(count).ReadField(), 1);
    const std::int32_t nrates = std::max(1, LeadingInt(count));
    for (std::int32_t i = 0; i < nrates; ++i) {
        CfgFieldReader fields(NextLine());
        RateSegment segment;
        const std::string_view rate = fields.ReadField();
        segment.rate = Number(rate, 1);
        if (segment.rate > std::numeric_limits<std::int32_t>::max())
            Fail(FormatError::Fault::BadValue, 1, rate);
        const std::string_view end = fields.ReadField();
        Number(end, 2);
        segment.endSample = LeadingInt(end);
        if (segment.endSample < 0 || segment.endSample > kMostSamples)
            Fail(FormatError::Fault::BadValue, 2, end);
        record_.rateSegments.push_back(segment);
    }
    const std::int64_t rate = RecordRate(record_.rateSegments, record_.lineFrequency);
    if (rate > std::numeric_limits<std::int32_t>::max())
        throw CZarvaException(messages::kBadFileFormat, cfgName_);
    record_.sampleRate = static_cast<std::int32_t>(rate);
    return record_.rateSegments.back().endSample;
}

DataFormat ConfigurationParser::ReadFileType()
{
    const std::string_view type = TrimBlanks(CfgFieldReader(NextLine()).ReadField());
    const std::optional<DataFormat> format = DataFormatOf(type);
    if (!format)
        Fail(FormatError::Fault::BadValue, 1, type);
    record_.fileType = FileTypeText(*format);
    return *format;
}

void ConfigurationParser::ReadTail()
{
    record_.timeMultiplier = 1.0;
    file_.SkipBlank();
    if (file_.AtEnd())
        return;
    const std::string_view written = TrimBlanks(CfgFieldReader(file_.ReadLine()).ReadField());
    record_.timeMultiplier = ToNumber(written);
    if (!(record_.timeMultiplier > 0.0) || !std::isfinite(record_.timeMultiplier)) {
        AddWarning(record_, warnings::kTimeMultiplier, {std::string(written)});
        record_.timeMultiplier = 1.0;
    }
    file_.SkipBlank();
    if (file_.AtEnd() || record_.revisionYear != "2013")
        return;
    CfgFieldReader codes(file_.ReadLine());
    record_.timeCode = std::string(TrimBlanks(codes.ReadField()));
    record_.localCode = std::string(TrimBlanks(codes.ReadField()));
    file_.SkipBlank();
    if (!file_.AtEnd())
        record_.timeQuality = std::string(TrimBlanks(file_.ReadLine()));
}

Configuration ConfigurationParser::Parse()
{
    if (record_.sourcePath.empty())
        record_.sourcePath = cfgName_;
    ReadHeaderLine();
    std::int64_t analog = 0;
    std::int64_t discrete = 0;
    ReadChannelCounts(analog, discrete);
    for (std::int64_t i = 0; i < analog; ++i)
        ReadAnalogLine(NextLine());
    for (std::int64_t i = 0; i < discrete; ++i)
        ReadDiscreteLine(NextLine());
    ReadLineFrequency();
    Configuration configuration;
    configuration.declaredSamples = ReadRates();
    CfgFieldReader start(NextLine());
    record_.startDate = std::string(start.ReadField());
    record_.startTime = std::string(start.ReadField());
    CfgFieldReader trigger(NextLine());
    record_.triggerDate = std::string(trigger.ReadField());
    record_.triggerTime = std::string(trigger.ReadField());
    configuration.format = ReadFileType();
    ReadTail();
    return configuration;
}

// Recorders differ in the code page of their texts; the record is judged as a whole (some
// mix pages line by line, which DecodeText copes with text by text).
void ApplyDetectedCodePage(Oscillogram& record)
{
    std::vector<std::string_view> texts = {record.stationName, record.recorderId};
    for (const Channel& channel : record.channels)
        texts.insert(texts.end(), {channel.channelId, channel.phase, channel.circuitComponent, channel.unit8});
    record.ApplyCodePage(DetectCodePage(texts));
}

} // namespace

std::optional<DataFormat> DataFormatOf(std::string_view fileType)
{
    for (const KnownType& known : kTypes) {
        if (EqualIgnoringCase(fileType, known.kept))
            return known.format;
    }
    return std::nullopt;
}

const char* FileTypeText(DataFormat format)
{
    for (const KnownType& known : kTypes) {
        if (known.format == format)
            return known.kept;
    }
    return kTypes[0].kept;
}

Configuration ReadConfiguration(Oscillogram& record, std::string_view text, const std::string& cfgName)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    // DOS editors pad text files with end-of-file marks.
    text = text.substr(0, text.find('\x1A'));
    const Configuration configuration = ConfigurationParser(record, text, cfgName).Parse();
    ApplyDetectedCodePage(record);
    for (Channel& channel : record.channels)
        InterpretUnit(channel, record.codePage);
    record.RebuildFrequencyChannels();
    return configuration;
}

} // namespace zarva
