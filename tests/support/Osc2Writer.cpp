#include "support/Osc2Writer.h"

#include <bit>
#include <stdexcept>

namespace zarva::test {
namespace {

constexpr std::size_t kBlock = 128;

class BlockWriter {
public:
    std::size_t NewBlock()
    {
        bytes_.append(kBlock, '\0');
        return bytes_.size() - kBlock;
    }
    void U8(std::size_t at, int value) { bytes_[at] = static_cast<char>(value); }
    void U16(std::size_t at, unsigned value)
    {
        U8(at, static_cast<int>(value >> 8 & 0xFF));
        U8(at + 1, static_cast<int>(value & 0xFF));
    }
    void U32(std::size_t at, std::uint32_t value)
    {
        U16(at, value >> 16);
        U16(at + 2, value & 0xFFFF);
    }
    void F32(std::size_t at, float value) { U32(at, std::bit_cast<std::uint32_t>(value)); }
    void Text(std::size_t at, const std::string& text) { bytes_.replace(at, text.size(), text); }
    std::string& Bytes() { return bytes_; }

private:
    std::string bytes_;
};

std::size_t SampleCount(const Osc2Record& record)
{
    if (!record.analog.empty())
        return record.analog.front().codes.size();
    return record.discrete.empty() ? 0 : record.discrete.front().states.size();
}

std::string ChannelText(const Osc2Record& record)
{
    std::string text;
    for (std::size_t i = 0; i < record.analog.size(); ++i) {
        const Osc2Analog& channel = record.analog[i];
        text += "A" + std::to_string(i + 1) + "," + channel.name + "," + channel.phase + ",," + channel.unit + "\r\n";
    }
    for (std::size_t i = 0; i < record.discrete.size(); ++i) {
        const Osc2Discrete& channel = record.discrete[i];
        text += "D" + std::to_string(i + 1) + "," + channel.name + ",,," + std::to_string(channel.normalState) + "\r\n";
    }
    return text;
}

void WriteMoment(BlockWriter& out, std::size_t at, const Osc2Moment& moment)
{
    out.U16(at, static_cast<unsigned>(moment.year));
    out.U8(at + 2, moment.month);
    out.U8(at + 3, moment.day);
    out.U8(at + 4, moment.hour);
    out.U8(at + 5, moment.minute);
    out.U8(at + 6, moment.second);
    out.U16(at + 8, static_cast<unsigned>(moment.millisecond));
}

void WriteData(BlockWriter& out, const Osc2Record& record)
{
    const std::size_t words = (record.discrete.size() + 15) / 16;
    const std::size_t sampleBytes = 2 * record.analog.size() + 2 * words;
    const std::size_t capacity = (kBlock - 4) / sampleBytes;
    std::vector<Osc2Run> runs = record.runs;
    if (runs.empty())
        runs.push_back({500, SampleCount(record)});
    std::size_t sample = 0;
    for (const Osc2Run& run : runs) {
        for (std::size_t done = 0; done < run.samples;) {
            const std::size_t count = std::min(capacity, run.samples - done);
            const std::size_t block = out.NewBlock();
            out.U16(block, run.periodCode);
            out.U16(block + 2, static_cast<unsigned>(count));
            for (std::size_t s = 0; s < count; ++s, ++sample) {
                const std::size_t at = block + 4 + s * sampleBytes;
                for (std::size_t c = 0; c < record.analog.size(); ++c)
                    out.U16(at + 2 * c, static_cast<std::uint16_t>(record.analog[c].codes.at(sample)));
                const std::size_t wordsAt = at + 2 * record.analog.size();
                for (std::size_t d = 0; d < record.discrete.size(); ++d) {
                    if (record.discrete[d].states.at(sample)) {
                        const std::size_t word = wordsAt + 2 * (d / 16);
                        const unsigned bits = static_cast<unsigned char>(out.Bytes()[word]) << 8 |
                                              static_cast<unsigned char>(out.Bytes()[word + 1]);
                        out.U16(word, bits | 1u << (d % 16));
                    }
                }
            }
            done += count;
        }
    }
}

} // namespace

std::string WriteOsc2(const Osc2Record& record)
{
    const std::size_t infoBlocks = record.analog.size() <= 8 ? 1 : 2;
    const std::string text = ChannelText(record);
    const std::size_t textBlocks = text.size() / kBlock + 1;
    BlockWriter out;
    const std::size_t header = out.NewBlock();
    out.Text(header, "OSC2");
    out.U8(header + 4, record.major);
    out.U8(header + 5, record.minor);
    out.U16(header + 6, static_cast<unsigned>(1 + infoBlocks + textBlocks + 1));
    out.U16(header + 8, static_cast<unsigned>(record.analog.size()));
    out.U16(header + 10, static_cast<unsigned>(record.discrete.size()));
    out.U32(header + 12, static_cast<std::uint32_t>(record.zeroSample));
    for (std::size_t b = 0; b < infoBlocks; ++b) {
        const std::size_t block = out.NewBlock();
        for (std::size_t i = 8 * b; i < std::min(record.analog.size(), 8 * b + 8); ++i) {
            const Osc2Analog& channel = record.analog[i];
            const std::size_t at = block + (i % 8) * 16;
            out.F32(at, channel.gain);
            out.F32(at + 4, channel.offset);
            out.F32(at + 8, channel.primary);
            out.F32(at + 12, channel.secondary);
        }
    }
    const std::size_t textStart = out.NewBlock();
    for (std::size_t b = 1; b < textBlocks; ++b)
        out.NewBlock();
    out.Text(textStart, text);
    const std::size_t moments = out.NewBlock();
    WriteMoment(out, moments, record.start);
    WriteMoment(out, moments + 16, record.trigger);
    WriteData(out, record);
    return out.Bytes();
}

} // namespace zarva::test
