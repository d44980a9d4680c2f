#include "core/formats/Osc2Reader.h"

#include "core/document/Document.h"
#include "core/document/Recompute.h"
#include "core/formats/CfgFieldReader.h"
#include "core/formats/ComtradeReader.h"
#include "core/formats/ComtradeTime.h"
#include "core/formats/MappedFile.h"
#include "core/formats/SampleRate.h"
#include "core/formats/SettingsFile.h"
#include "core/model/CodePage.h"
#include "core/model/Rounding.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/model/Units.h"
#include "core/model/ZarvaException.h"

#include <bit>
#include <cstdio>

namespace zarva {
namespace {

using osc2::kBlockSize;

constexpr int kStationText = 3063;
constexpr int kSpareChannel = 3442;
constexpr std::size_t kDataHeader = 4;

// Big-endian numbers at fixed places of the mapped file.
class Blocks {
public:
    Blocks(const MappedFile& file, const std::string& name) : bytes_(file.Bytes()), size_(file.Size()), name_(name) {}

    std::size_t Count() const { return size_ / kBlockSize; }
    const unsigned char* Block(std::size_t index) const { return bytes_ + index * kBlockSize; }
    [[noreturn]] void Fail() const { throw CZarvaException(messages::kBadFileFormat, name_); }

    static std::uint16_t U16(const unsigned char* at) { return static_cast<std::uint16_t>(at[0] << 8 | at[1]); }
    static std::uint32_t U32(const unsigned char* at)
    {
        return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 | at[3];
    }
    static double F32(const unsigned char* at) { return std::bit_cast<float>(U32(at)); }

private:
    const unsigned char* bytes_;
    std::size_t size_;
    const std::string& name_;
};

struct Layout {
    int major = 0;
    int minor = 0;
    std::size_t headerBlocks = 0;
    std::size_t analog = 0;
    std::size_t discrete = 0;
    std::size_t infoBlocks = 0;
    std::size_t sampleBytes = 0;
};

Layout ReadLayout(const Blocks& blocks, std::size_t fileSize)
{
    if (fileSize % kBlockSize != 0 || blocks.Count() < 1)
        blocks.Fail();
    const unsigned char* header = blocks.Block(0);
    Layout layout;
    layout.major = header[4];
    layout.minor = header[5];
    layout.headerBlocks = Blocks::U16(header + 6);
    layout.analog = Blocks::U16(header + 8);
    layout.discrete = Blocks::U16(header + 10);
    layout.infoBlocks = layout.analog <= 8 ? 1 : 2;
    layout.sampleBytes = 2 * layout.analog + 2 * ((layout.discrete + 15) / 16);
    const bool valid = std::string_view(reinterpret_cast<const char*>(header), 4) == "OSC2" &&
                       layout.major == 2 && layout.analog <= osc2::kMaxAnalog &&
                       layout.analog + layout.discrete > 0 && layout.sampleBytes <= kBlockSize - kDataHeader &&
                       layout.headerBlocks >= layout.infoBlocks + 3 && layout.headerBlocks < blocks.Count();
    if (!valid)
        blocks.Fail();
    return layout;
}

std::string Formatted(std::string text, std::initializer_list<int> numbers)
{
    for (const int number : numbers) {
        if (const auto at = text.find("%i"); at != std::string::npos)
            text.replace(at, 2, std::to_string(number));
    }
    return text;
}

double FirstHarmonicFactor(int major, int minor)
{
    if (major != 2)
        return 1.0;
    switch (minor) {
    case 3: case 4: case 5: case 8: return 1.0128;
    case 6: case 7: return 1.00259;
    case 9: return 1.014065;
    default: return 1.0;
    }
}

void ReadHeaderFacts(Oscillogram& record, const Layout& layout, const unsigned char* header)
{
    record.lineFrequency = 50.0;
    record.sampleRate = 2400;
    record.recorderId = "-";
    record.fileType = "ASCII";
    // The dates are written day first, as from revision 1999 on.
    record.revisionYear = "1999";
    const std::string station = Formatted(Text(kStationText), {layout.major, layout.minor});
    record.stationName = FromUtf8(station, CodePage::Windows1251);
    record.firstHarmonicFactor = FirstHarmonicFactor(layout.major, layout.minor);
    record.zeroSample = static_cast<std::int32_t>(Blocks::U32(header + 12));
}

void ReadMoment(const unsigned char* at, std::string& date, std::string& time)
{
    char text[64];
    std::snprintf(text, sizeof text, "%i/%02i/%4i", at[3], at[2], Blocks::U16(at));
    date = text;
    std::snprintf(text, sizeof text, "%i:%02i:%02i.%03i", at[4], at[5], at[6], Blocks::U16(at + 8));
    time = text;
}

void ReadChannels(Oscillogram& record, const Layout& layout, const Blocks& blocks)
{
    const std::size_t textStart = 1 + layout.infoBlocks;
    const std::size_t textBlocks = layout.headerBlocks - 1 - textStart;
    std::string_view text(reinterpret_cast<const char*>(blocks.Block(textStart)), textBlocks * kBlockSize);
    text = text.substr(0, text.find('\0'));
    CfgFieldReader lines(text);
    for (std::size_t i = 0; i < layout.analog + layout.discrete; ++i) {
        lines.SkipBlank();
        if (lines.AtEnd())
            blocks.Fail();
        CfgFieldReader fields(lines.ReadLine());
        const bool analog = i < layout.analog;
        const std::string_view kind = fields.ReadField();
        if (kind.empty() || kind.front() != (analog ? 'A' : 'D'))
            blocks.Fail();
        Channel channel(analog ? ChannelKind::Analog : ChannelKind::Discrete, record.owner);
        channel.channelId = std::string(TrimBlanks(fields.ReadField()));
        channel.phase = std::string(fields.ReadField());
        channel.circuitComponent = std::string(fields.ReadField());
        if (analog) {
            const unsigned char* info = blocks.Block(1 + i / 8) + (i % 8) * 16;
            channel.unit8 = std::string(TrimBlanks(fields.ReadField()));
            channel.multiplier = Blocks::F32(info);
            channel.offset = Blocks::F32(info + 4);
            channel.primary = channel.filePrimary = Blocks::F32(info + 8);
            channel.secondary = channel.fileSecondary = Blocks::F32(info + 12);
            channel.primaryText = ExactText(channel.primary);
            channel.secondaryText = ExactText(channel.secondary);
            channel.rangeMin = -32768 * channel.multiplier + channel.offset;
            channel.rangeMax = 32767 * channel.multiplier + channel.offset;
            ++record.analogCount;
        } else {
            if (channel.channelId.empty())
                channel.channelId = FromUtf8(Text(kSpareChannel), CodePage::Windows1251);
            channel.normalState = fields.ReadInt();
            ++record.discreteCount;
        }
        record.channels.push_back(std::move(channel));
    }
    record.ApplyCodePage(CodePage::Windows1251);
    for (Channel& channel : record.channels)
        InterpretUnit(channel, CodePage::Windows1251);
    record.RebuildFrequencyChannels();
}

void AppendSegment(Oscillogram& record, std::uint16_t periodCode, std::size_t samples)
{
    const double rate = osc2::kClockHz / periodCode;
    const auto end = static_cast<std::int32_t>(samples);
    if (!record.rateSegments.empty() && record.rateSegments.back().rate == rate)
        record.rateSegments.back().endSample = end;
    else
        record.rateSegments.push_back({rate, end});
}

// The samples of the data blocks; false when cancelled.
bool ReadSamples(Document& document, const Layout& layout, const Blocks& blocks)
{
    Oscillogram& record = document.oscillogram;
    const std::size_t capacity = (kBlockSize - kDataHeader) / layout.sampleBytes;
    std::uint64_t ticks = 0;
    std::size_t samples = 0;
    for (std::size_t b = layout.headerBlocks; b < blocks.Count(); ++b) {
        if (document.progress.CancelRequested())
            return false;
        const unsigned char* block = blocks.Block(b);
        const std::uint16_t periodCode = Blocks::U16(block);
        const std::size_t count = Blocks::U16(block + 2);
        if (periodCode == 0 || count > capacity)
            blocks.Fail();
        for (std::size_t s = 0; s < count; ++s) {
            const unsigned char* sample = block + kDataHeader + s * layout.sampleBytes;
            for (std::size_t c = 0; c < layout.analog; ++c)
                record.channels[c].AddRawSample(static_cast<std::int16_t>(Blocks::U16(sample + 2 * c)));
            const unsigned char* words = sample + 2 * layout.analog;
            for (std::size_t d = 0; d < layout.discrete; ++d) {
                const bool on = (Blocks::U16(words + 2 * (d / 16)) >> (d % 16) & 1) != 0;
                record.channels[layout.analog + d].samples.Append(on ? 1.0 : 0.0);
            }
            record.sampleTimes.push_back(RoundToInt64(static_cast<double>(ticks) * 1e6 / osc2::kClockHz));
            ticks += periodCode;
        }
        samples += count;
        if (count > 0)
            AppendSegment(record, periodCode, samples);
        document.progress.SetPosition((b + 1) * kBlockSize);
    }
    if (samples == 0)
        blocks.Fail();
    return true;
}

void SetSampleRate(Oscillogram& record)
{
    double sum = 0.0;
    for (const RateSegment& segment : record.rateSegments)
        sum += segment.rate;
    const auto segments = static_cast<double>(record.rateSegments.size());
    record.sampleRate = static_cast<std::int32_t>(
        SnapSampleRate(sum / segments, record.lineFrequency, record.rateSegments.size() > 1));
    record.lineFrequencySeries = LineFrequencySeries(record, record.SampleCount());
}

// Everything before the data blocks: the header facts, the moments and the channels.
Layout ReadHead(Oscillogram& record, const MappedFile& file, const Blocks& blocks)
{
    const Layout layout = ReadLayout(blocks, file.Size());
    record.sourcePath = file.Path().string();
    ReadHeaderFacts(record, layout, blocks.Block(0));
    ReadMoment(blocks.Block(layout.headerBlocks - 1), record.startDate, record.startTime);
    ReadMoment(blocks.Block(layout.headerBlocks - 1) + 16, record.triggerDate, record.triggerTime);
    record.startText = StartText(record, true);
    record.triggerText = TriggerText(record, true);
    ReadChannels(record, layout, blocks);
    return layout;
}

} // namespace

void ReadOsc2Head(Oscillogram& record, const std::filesystem::path& path)
{
    const MappedFile file(path);
    const std::string name = path.string();
    ReadHead(record, file, Blocks(file, name));
}

void ReadOsc2(Document& document, const std::filesystem::path& path)
{
    Oscillogram& record = document.oscillogram;
    const std::string name = path.string();
    {
        const MappedFile file(path);
        const Blocks blocks(file, name);
        const Layout layout = ReadHead(record, file, blocks);
        document.progress.SetTotal(5 * file.Size());
        record.oscBytes.assign(file.Bytes(), file.Bytes() + file.Size());
        if (!ReadSamples(document, layout, blocks))
            return;
    }
    SetSampleRate(record);
    const std::uint64_t values = std::uint64_t{record.SampleCount()} * record.channels.size();
    document.progress.SetStep(static_cast<double>(document.progress.Total() - document.progress.Position()) /
                              static_cast<double>(values));
    ReadSettings(document, CompanionPath(path, ".set"), false);
    if (!document.progress.CancelRequested())
        RecomputeAll(document);
}

} // namespace zarva
