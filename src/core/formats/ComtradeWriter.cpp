#include "core/formats/ComtradeWriter.h"

#include "core/document/Document.h"
#include "core/formats/CfgFieldReader.h"
#include "core/formats/ComtradeReader.h"
#include "core/formats/ComtradeTime.h"
#include "core/formats/MissingCodes.h"
#include "core/formats/RecordFiles.h"
#include "core/formats/SampleRate.h"
#include "core/model/ParallelFor.h"
#include "core/model/TextFormat.h"
#include "core/model/ZarvaException.h"
#include "core/storage/StagedFile.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

namespace zarva {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Records are built a block at a time, channel by channel, so that each channel's samples
// are read in long runs while the block stays in the second-level cache.
constexpr std::size_t kBlockRecords = 2048;
// Revision 2013's time quality of a clock not known to be locked (F: not reliable) and of one
// that cannot tell leap seconds (3), for a record that was read without them.
constexpr std::string_view kUnknownTimeQuality = "F,3";

// The range fields of a configuration hold at most 13 characters.
constexpr std::size_t kRangeWidth = 13;

// Configuration numbers are the shortest text that reads back as the same double: at most 24
// characters, within the 32 the other number fields hold.
std::string ConfigNumber(double value)
{
    return ExactText(value);
}

// A range bound too long for its field is rounded outward to fewer digits, so that the range
// still holds every code written (FLOAT32 codes are fractions).
std::string RangeNumber(double value, bool upper)
{
    std::string text = ExactText(value);
    for (int digits = 8; text.size() > kRangeWidth && digits > 0 && std::isfinite(value); --digits) {
        const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - digits + 1);
        const double bound = (upper ? std::ceil(value / unit) : std::floor(value / unit)) * unit;
        char buffer[32];
        const std::string candidate(
            buffer, std::to_chars(buffer, buffer + sizeof buffer, bound, std::chars_format::general, digits).ptr);
        const double read = ToNumber(candidate);
        if (candidate.size() <= kRangeWidth && (upper ? read >= value : read <= value))
            text = candidate;
    }
    return text;
}

// Text written as a line of its own: line breaks would split it, so they become blanks.
std::string LineText(std::string_view text)
{
    std::string line(text);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

// A text field of the configuration: commas would split it too.
std::string Field(std::string_view text)
{
    std::string field = LineText(text);
    std::replace(field.begin(), field.end(), ',', ' ');
    return field;
}

// One configuration line: the fields joined by commas, then CR LF.
void AppendLine(std::string& text, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += ',';
        text += fields[i];
    }
    text += kLineEnd;
}

// BINARY32 and FLOAT32 exist from revision 2013 on; a file in one of them says so.
std::string WrittenRevision(const std::string& revision, DataFormat format, bool as2013)
{
    const bool needs2013 = as2013 || format == DataFormat::Binary32 || format == DataFormat::Float32;
    return needs2013 && LeadingInt(revision) < 2013 ? std::string("2013") : revision;
}

void Put16(unsigned char* out, std::uint32_t value)
{
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
}

void Put32(unsigned char* out, std::uint32_t value)
{
    Put16(out, value);
    Put16(out + 2, value >> 16);
}

// Samples of the block [first, first + count) that the channel holds, read into `values`.
std::span<const double> BlockValues(const Series<double>& samples, std::size_t first, std::size_t count,
                                    std::vector<double>& values)
{
    const std::size_t available = samples.Size() > first ? std::min(count, samples.Size() - first) : 0;
    values.resize(available);
    samples.Read(first, values);
    return values;
}

void AppendInteger(std::string& out, std::int64_t value)
{
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

} // namespace

DataFormat SavedFormat(const Oscillogram& record, const SaveOptions& options)
{
    if (options.fileType.empty())
        return DataFormatOf(record.fileType).value_or(DataFormat::Binary);
    const std::optional<DataFormat> format = DataFormatOf(options.fileType);
    if (!format)
        throw CZarvaException(messages::kBadFileFormat, options.fileType);
    return *format;
}

ComtradeWriter::ComtradeWriter(const Oscillogram& record, DataFormat format, bool as2013)
    : record_(record), format_(format), revision_(WrittenRevision(record.revisionYear, format, as2013)),
      revision1991_(IsRevision1991(revision_)), sampleCount_(record.SampleCount())
{
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        const Channel& channel = record.channels[i];
        if (channel.HasFlag(display::kSuppliedPhasors) || channel.HasFlag(display::kPasted))
            continue;
        if (channel.IsDiscrete()) {
            discrete_.push_back(&channel);
            continue;
        }
        analog_.push_back(&channel);
        analogPositions_.push_back(i + 1);
    }
    for (const Channel* channel : analog_)
        analogValues_.push_back(channel->samples.View());
    for (const Channel* channel : discrete_)
        discreteValues_.push_back(channel->samples.View());
    scales_ = ChooseCodeScales(analog_, sampleCount_, {format, revision1991_});
    // Without the multiplier line (revision 1991) time stamps are read as microseconds.
    if (!revision_.empty())
        stampMultiplier_ = record.timeMultiplier > 0.0 ? record.timeMultiplier : 1.0;
}

std::string ComtradeWriter::BuildConfigurationText() const
{
    std::string text;
    std::vector<std::string> first = {Field(record_.stationName)};
    if (!record_.recorderId.empty() || !revision_.empty())
        first.push_back(Field(record_.recorderId));
    if (!revision_.empty())
        first.push_back(revision_);
    AppendLine(text, first);
    AppendLine(text, {std::to_string(analog_.size() + discrete_.size()), std::to_string(analog_.size()) + "A",
                      std::to_string(discrete_.size()) + "D"});
    AppendAnalogLines(text);
    AppendDiscreteLines(text);
    AppendLine(text, {ConfigNumber(record_.lineFrequency)});
    AppendRates(text);
    AppendLine(text, {WrittenDate(record_.startDate), Field(record_.startTime)});
    AppendLine(text, {WrittenDate(record_.triggerDate), Field(record_.triggerTime)});
    AppendLine(text, {FileTypeText(format_)});
    if (!revision_.empty())
        AppendLine(text, {ConfigNumber(stampMultiplier_)});
    if (revision_ == "2013") {
        AppendLine(text, {Field(record_.timeCode), Field(record_.localCode)});
        AppendLine(text, {record_.timeQuality.empty() ? std::string(kUnknownTimeQuality) : LineText(record_.timeQuality)});
    }
    return text;
}

void ComtradeWriter::AppendAnalogLines(std::string& text) const
{
    for (std::size_t j = 0; j < analog_.size(); ++j) {
        const Channel& channel = *analog_[j];
        const CodeScale& scale = scales_[j];
        std::vector<std::string> fields = {std::to_string(analogPositions_[j]), Field(channel.channelId),
                                           Field(channel.phase),           Field(channel.circuitComponent),
                                           Field(channel.unit8),           ConfigNumber(scale.multiplier),
                                           ConfigNumber(scale.offset),     ConfigNumber(channel.timeShift),
                                           RangeNumber(scale.minCode, false), RangeNumber(scale.maxCode, true)};
        if (!revision_.empty()) {
            fields.push_back(channel.primaryText.empty() ? ConfigNumber(channel.filePrimary) : Field(channel.primaryText));
            fields.push_back(channel.secondaryText.empty() ? ConfigNumber(channel.fileSecondary)
                                                           : Field(channel.secondaryText));
            fields.emplace_back(channel.valuesArePrimary ? "P" : "S");
        }
        AppendLine(text, fields);
    }
}

void ComtradeWriter::AppendDiscreteLines(std::string& text) const
{
    for (std::size_t j = 0; j < discrete_.size(); ++j) {
        const Channel& channel = *discrete_[j];
        if (revision_.empty())
            AppendLine(text, {std::to_string(j + 1), Field(channel.channelId), std::to_string(channel.normalState)});
        else
            AppendLine(text, {std::to_string(j + 1), Field(channel.channelId), Field(channel.phase),
                              Field(channel.circuitComponent), std::to_string(channel.normalState)});
    }
}

// The rate lines as read, the last one ending at the last sample written, so that the
// configuration describes the data that goes with it. A record timed by its stamps says so:
// no rate lines and a rate of 0.
void ComtradeWriter::AppendRates(std::string& text) const
{
    const auto count = static_cast<std::int32_t>(std::min<std::size_t>(sampleCount_, INT32_MAX));
    if (!HasDeclaredRates(record_)) {
        AppendLine(text, {"0"});
        AppendLine(text, {"0", std::to_string(count)});
        return;
    }
    std::vector<RateSegment> segments = record_.rateSegments;
    segments.back().endSample = count;
    AppendLine(text, {std::to_string(segments.size())});
    for (const RateSegment& segment : segments)
        AppendLine(text, {ConfigNumber(segment.rate), std::to_string(segment.endSample)});
}

// A date of revision 1991 (month first, perhaps a two-digit year) written in a later revision
// as that revision reads dates: day first, four-digit year.
std::string ComtradeWriter::WrittenDate(const std::string& date) const
{
    if (revision1991_ || !IsRevision1991(record_.revisionYear))
        return Field(date);
    const std::string normalised = NormaliseDate(date, false);
    return normalised.empty() ? Field(date) : normalised;
}

std::int64_t ComtradeWriter::SampleTime(std::size_t i) const
{
    const std::vector<std::int64_t>& times = record_.sampleTimes;
    if (i < times.size())
        return times[i];
    const std::int64_t last = times.empty() ? 0 : times.back();
    const std::size_t lastIndex = times.empty() ? 0 : times.size() - 1;
    if (record_.sampleRate <= 0)
        return last;
    return last + RoundToInt64(static_cast<double>(i - lastIndex) * 1000000.0 / record_.sampleRate);
}

std::int64_t ComtradeWriter::Stamp(std::size_t i) const
{
    const std::int64_t time = SampleTime(i);
    return stampMultiplier_ == 1.0 ? time : RoundToInt64(static_cast<double>(time) / stampMultiplier_);
}

std::string ComtradeWriter::BuildAsciiData() const
{
    std::string data;
    EmitBlocks([this](std::size_t first, std::size_t count, std::string& block) { BuildAsciiBlock(first, count, block); },
               [&data](std::string_view block) { data += block; });
    return data;
}

std::string ComtradeWriter::BuildBinaryData() const
{
    std::string data;
    data.reserve(BinaryDataSize());
    EmitBlocks(BinaryBlockBuilder(), [&data](std::string_view block) { data += block; });
    return data;
}

void ComtradeWriter::BuildData(const Sink& sink) const
{
    if (format_ == DataFormat::Ascii)
        EmitBlocks([this](std::size_t first, std::size_t count, std::string& block) { BuildAsciiBlock(first, count, block); },
                   sink);
    else
        EmitBlocks(BinaryBlockBuilder(), sink);
}

std::size_t ComtradeWriter::RecordSize() const
{
    const std::size_t width = format_ == DataFormat::Binary || format_ == DataFormat::Ascii ? 2 : 4;
    return 8 + width * analog_.size() + 2 * ((discrete_.size() + 15) / 16);
}

std::uint64_t ComtradeWriter::BinaryDataSize() const
{
    return std::uint64_t{RecordSize()} * sampleCount_;
}

// Blocks are built in rounds, one per thread, and handed to the sink in order.
void ComtradeWriter::EmitBlocks(const BlockBuilder& build, const Sink& sink) const
{
    const std::size_t blocks = (sampleCount_ + kBlockRecords - 1) / kBlockRecords;
    const std::size_t threads = std::min(blocks, ThreadsFor(sampleCount_ * (analog_.size() + discrete_.size())));
    std::vector<std::string> buffers(std::max<std::size_t>(threads, 1));
    for (std::size_t round = 0; round < blocks; round += threads) {
        const std::size_t inRound = std::min(threads, blocks - round);
        ParallelFor(inRound, inRound, [&](std::size_t t) {
            const std::size_t first = (round + t) * kBlockRecords;
            build(first, std::min(kBlockRecords, sampleCount_ - first), buffers[t]);
        });
        for (std::size_t t = 0; t < inRound; ++t)
            sink(buffers[t]);
    }
}

void ComtradeWriter::BuildAsciiBlock(std::size_t first, std::size_t count, std::string& block) const
{
    block.clear();
    std::vector<std::vector<double>> analog(analog_.size());
    std::vector<std::vector<double>> discrete(discrete_.size());
    for (std::size_t j = 0; j < analog_.size(); ++j)
        BlockValues(analogValues_[j], first, count, analog[j]);
    for (std::size_t j = 0; j < discrete_.size(); ++j)
        BlockValues(discreteValues_[j], first, count, discrete[j]);
    for (std::size_t r = 0; r < count; ++r) {
        AppendInteger(block, static_cast<std::int64_t>(first + r + 1));
        block += ',';
        AppendInteger(block, Stamp(first + r));
        for (std::size_t j = 0; j < analog_.size(); ++j) {
            block += ',';
            const double value = r < analog[j].size() ? analog[j][r] : 0.0;
            // Revision 1991 marks a missing value by an empty field.
            if (!std::isnan(value) || !revision1991_)
                AppendInteger(block, IntegerCode(value, scales_[j]));
        }
        for (const std::vector<double>& values : discrete) {
            block += ',';
            block += r < values.size() && values[r] != 0.0 ? '1' : '0';
        }
        block += kLineEnd;
    }
}

// The codes of a run of values, gathered contiguously so that the loop needs no store
// into the interleaved records.
template <DataFormat format>
void EncodeAnalog(const double* values, std::size_t count, const CodeScale scale, std::uint32_t* codes)
{
    for (std::size_t r = 0; r < count; ++r) {
        if constexpr (format == DataFormat::Float32)
            codes[r] = std::bit_cast<std::uint32_t>(FloatCode(values[r], scale));
        else
            codes[r] = static_cast<std::uint32_t>(IntegerCode(values[r], scale));
    }
}

// Sixteen status channels' bits per record; a value other than 0 (NaN included) is set. The
// words are as wide as the values, so that the loop vectorises.
void EncodeStatusWord(const std::vector<Series<double>>& channels, std::size_t firstChannel, std::size_t first,
                      std::size_t count, std::uint64_t* words, std::vector<double>& buffer)
{
    std::fill(words, words + count, std::uint64_t{0});
    for (std::size_t b = 0; b < 16 && firstChannel + b < channels.size(); ++b) {
        const std::span<const double> values = BlockValues(channels[firstChannel + b], first, count, buffer);
        const std::uint64_t bit = std::uint64_t{1} << b;
        for (std::size_t r = 0; r < values.size(); ++r)
            words[r] |= values[r] != 0.0 ? bit : 0;
    }
}

ComtradeWriter::BlockBuilder ComtradeWriter::BinaryBlockBuilder() const
{
    switch (format_) {
    case DataFormat::Binary32:
        return [this](std::size_t first, std::size_t count, std::string& block) {
            BuildBinaryBlock<DataFormat::Binary32>(first, count, block);
        };
    case DataFormat::Float32:
        return [this](std::size_t first, std::size_t count, std::string& block) {
            BuildBinaryBlock<DataFormat::Float32>(first, count, block);
        };
    case DataFormat::Ascii:
    case DataFormat::Binary: break;
    }
    return [this](std::size_t first, std::size_t count, std::string& block) {
        BuildBinaryBlock<DataFormat::Binary>(first, count, block);
    };
}

template <DataFormat format>
void ComtradeWriter::BuildBinaryBlock(std::size_t first, std::size_t count, std::string& block) const
{
    constexpr std::size_t width = format == DataFormat::Binary ? 2 : 4;
    const std::size_t size = RecordSize();
    const std::size_t analogEnd = 8 + width * analog_.size();
    std::vector<std::uint32_t> codes(count);
    std::vector<std::uint64_t> words(count);
    std::vector<double> values;
    block.assign(count * size, '\0');
    auto* out = reinterpret_cast<unsigned char*>(block.data());
    for (std::size_t r = 0; r < count; ++r) {
        Put32(out + r * size, static_cast<std::uint32_t>(first + r + 1));
        Put32(out + r * size + 4, static_cast<std::uint32_t>(Stamp(first + r)));
    }
    for (std::size_t j = 0; j < analog_.size(); ++j) {
        const std::span<const double> samples = BlockValues(analogValues_[j], first, count, values);
        EncodeAnalog<format>(samples.data(), samples.size(), scales_[j], codes.data());
        unsigned char* column = out + 8 + width * j;
        for (std::size_t r = 0; r < samples.size(); ++r) {
            if constexpr (width == 2)
                Put16(column + r * size, codes[r]);
            else
                Put32(column + r * size, codes[r]);
        }
    }
    for (std::size_t word = 0; 16 * word < discrete_.size(); ++word) {
        EncodeStatusWord(discreteValues_, 16 * word, first, count, words.data(), values);
        unsigned char* column = out + analogEnd + 2 * word;
        for (std::size_t r = 0; r < count; ++r)
            Put16(column + r * size, static_cast<std::uint32_t>(words[r]));
    }
}

void SaveComtrade(Document& document, const std::filesystem::path& path, const SaveOptions& options)
{
    const Oscillogram& record = document.oscillogram;
    const DataFormat format = SavedFormat(record, options);
    const bool ownFiles = SamePath(path, record.sourcePath) && !record.storedDataChanged &&
                          DataFormatOf(record.fileType) == format;
    std::vector<StagedFile> files;
    files.reserve(5);
    if (!ownFiles) {
        const ComtradeWriter writer(record, format);
        StagedFile& data = files.emplace_back(CompanionPath(path, ".dat"));
        writer.BuildData([&data](std::string_view block) { data.Write(block); });
        files.emplace_back(path).Write(writer.BuildConfigurationText());
    }
    for (const CompanionFile& companion : CompanionFiles(document))
        files.emplace_back(CompanionPath(path, companion.extension)).Write(companion.bytes);
    CommitAll(files);
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    return std::filesystem::weakly_canonical(a, error) == std::filesystem::weakly_canonical(b, error);
}

} // namespace zarva
