#include "core/formats/ComtradeData.h"

#include "core/document/Document.h"
#include "core/formats/CfgFieldReader.h"
#include "core/formats/FormatError.h"
#include "core/formats/LoadWarnings.h"
#include "core/formats/MappedFile.h"
#include "core/formats/MissingCodes.h"
#include "core/formats/SampleRate.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>

namespace zarva {
namespace {

// Records are converted a block at a time, channel by channel, so that each channel's samples
// are written in one run while the block stays in cache.
constexpr std::size_t kBlockRecords = 512;

std::uint32_t LoadU32(const unsigned char* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// Recorders that count time from the trigger write the negative times before it as
// unsigned 32-bit numbers.
void UnwrapStamps(std::vector<std::int64_t>& stamps)
{
    if (stamps.empty() || !StampsWrap(stamps.front()))
        return;
    for (std::int64_t& stamp : stamps)
        stamp = UnwrappedStamp(stamp, true);
}

std::vector<SampleScale> AnalogScales(const Oscillogram& record, DataFormat format)
{
    const double missing = MissingCodeRead(format, record.revisionYear);
    std::vector<SampleScale> scales;
    for (std::uint32_t j = 0; j < record.analogCount; ++j) {
        const Channel& channel = record.channels[j];
        scales.push_back({channel.multiplier, channel.offset, channel.unitFactor, missing});
    }
    return scales;
}

// Grows a column by `count` and returns where the new values go.
template <class Value>
Value* Extend(std::vector<Value>& column, std::size_t count)
{
    const std::size_t old = column.size();
    column.resize(old + count);
    return column.data() + old;
}

template <DataFormat format>
using CodeOf = std::conditional_t<format == DataFormat::Binary, std::int16_t,
                                  std::conditional_t<format == DataFormat::Float32, float, std::int32_t>>;

template <DataFormat format>
MappedSamples::Field FieldOf()
{
    if constexpr (format == DataFormat::Binary)
        return MappedSamples::Field::Int16;
    else if constexpr (format == DataFormat::Float32)
        return MappedSamples::Field::Float32;
    else
        return MappedSamples::Field::Int32;
}

std::size_t AnalogWidth(DataFormat format) { return format == DataFormat::Binary ? 2 : 4; }

// The sample numbers of the first records follow one another at this record size.
bool NumbersRunInOrder(const MappedFile& file, std::size_t recordSize)
{
    const std::size_t records = std::min<std::size_t>(4, file.Size() / recordSize);
    const std::uint32_t first = records > 0 ? LoadU32(file.Bytes()) : 0;
    for (std::size_t k = 1; k < records; ++k) {
        if (LoadU32(file.Bytes() + k * recordSize) != first + k)
            return false;
    }
    return true;
}

std::size_t ChooseRecordSize(Oscillogram& record, const MappedFile& file, DataFormat format)
{
    const std::size_t analogEnd = 8 + AnalogWidth(format) * record.analogCount;
    const std::size_t standard = analogEnd + 2 * ((std::size_t{record.discreteCount} + 15) / 16);
    if (NumbersRunInOrder(file, standard))
        return standard;
    if (format != DataFormat::Binary)
        throw CZarvaException(messages::kBadFileFormat, file.Path().string());
    // Some recorders pack the status bits into bytes rather than 16-bit words.
    const std::size_t packed = analogEnd + (std::size_t{record.discreteCount} + 7) / 8;
    if (packed != standard && NumbersRunInOrder(file, packed)) {
        AddWarning(record, warnings::kPackedStatusBits, {packed});
        return packed;
    }
    AddWarning(record, warnings::kSampleNumbers);
    return standard;
}

// Reads a binary data file into code columns and bit columns, a block of records at a time,
// or, asked to map its samples, points every channel at its fields in the mapped file.
template <DataFormat format>
class BinaryReader {
public:
    using Code = CodeOf<format>;

    BinaryReader(Document& document, const std::shared_ptr<MappedFile>& file)
        : document_(document), record_(document.oscillogram), file_(file), scales_(AnalogScales(record_, format)),
          analogEnd_(8 + AnalogWidth(format) * record_.analogCount)
    {
    }

    DataStamps Read(StampCheck* check, bool mapSamples)
    {
        recordSize_ = ChooseRecordSize(record_, *file_, format);
        const std::size_t records = file_->Size() / recordSize_;
        if (const std::size_t trailing = file_->Size() - records * recordSize_; trailing > 0)
            AddWarning(record_, warnings::kTrailingBytes, {trailing});
        DataStamps result;
        if (check == nullptr)
            result.stamps.reserve(records);
        if (mapSamples)
            MapSamples(records);
        else
            PrepareColumns(records);
        std::size_t read = 0;
        for (std::size_t first = 0; first < records; first += kBlockRecords) {
            const std::size_t count = std::min(kBlockRecords, records - first);
            const unsigned char* block = file_->Bytes() + first * recordSize_;
            if (!mapSamples)
                ReadBlock(block, count);
            ReadStamps(block, count, check, result);
            read = first + count;
            const std::size_t consumed = read * recordSize_;
            document_.progress.SetPosition(consumed);
            file_->Advance(consumed);
            if (document_.progress.CancelRequested())
                break;
        }
        if (!mapSamples)
            StoreColumns(read);
        UnwrapStamps(result.stamps);
        return result;
    }

private:
    // Room for every sample the data file holds (the configuration's count can be far off
    // either way), so that reading never reallocates.
    void PrepareColumns(std::size_t records)
    {
        analog_.resize(record_.analogCount);
        for (std::vector<Code>& column : analog_)
            ReserveLarge(column, records);
        status_.resize(record_.discreteCount);
        for (std::vector<std::uint64_t>& column : status_)
            column.reserve((records + 63) / 64);
    }

    // Records come in blocks of whole 64-bit words of status bits, but the last.
    static_assert(kBlockRecords % 64 == 0);

    void ReadBlock(const unsigned char* block, std::size_t count)
    {
        for (std::size_t j = 0; j < analog_.size(); ++j) {
            Code* out = Extend(analog_[j], count);
            const unsigned char* value = block + 8 + AnalogWidth(format) * j;
            for (std::size_t r = 0; r < count; ++r)
                out[r] = LoadCode(value + r * recordSize_);
        }
        ReadStatusBits(block, count);
    }

    // Eight channels' states share a byte of each record: the bytes of eight records, taken
    // as the rows of an 8 × 8 bit matrix and transposed, give each channel's eight states.
    void ReadStatusBits(const unsigned char* block, std::size_t count)
    {
        const std::size_t words = (count + 63) / 64;
        for (std::size_t first = 0; first < status_.size(); first += 8) {
            const std::size_t channels = std::min<std::size_t>(8, status_.size() - first);
            std::uint64_t* out[8];
            for (std::size_t b = 0; b < channels; ++b)
                out[b] = Extend(status_[first + b], words);
            const unsigned char* bytes = block + analogEnd_ + first / 8;
            for (std::size_t w = 0; w < words; ++w) {
                std::uint64_t states[8] = {};
                for (std::size_t g = 0; g < 8; ++g) {
                    std::uint64_t rows = 0;
                    for (std::size_t i = 0, r = 64 * w + 8 * g; i < 8 && r < count; ++i, ++r)
                        rows |= std::uint64_t{bytes[r * recordSize_]} << (8 * i);
                    rows = TransposeBits(rows);
                    for (std::size_t b = 0; b < channels; ++b)
                        states[b] |= ((rows >> (8 * b)) & 0xFFU) << (8 * g);
                }
                for (std::size_t b = 0; b < channels; ++b)
                    out[b][w] = states[b];
            }
        }
    }

    // Byte i of x is row i, bit j of it column j; the result has them swapped.
    static std::uint64_t TransposeBits(std::uint64_t x)
    {
        std::uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAULL;
        x ^= t ^ (t << 7);
        t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCULL;
        x ^= t ^ (t << 14);
        t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ULL;
        return x ^ t ^ (t << 28);
    }

    static Code LoadCode(const unsigned char* p)
    {
        if constexpr (format == DataFormat::Binary)
            return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
        else if constexpr (format == DataFormat::Float32)
            return std::bit_cast<float>(LoadU32(p));
        else
            return static_cast<std::int32_t>(LoadU32(p));
    }

    // The samples read become the channels'; after a cancel, as many as were read.
    void StoreColumns(std::size_t read)
    {
        for (std::size_t j = 0; j < analog_.size(); ++j) {
            analog_[j].resize(read);
            record_.channels[j].samples.Assign(std::make_shared<const SampleData>(std::move(analog_[j]), scales_[j]));
        }
        for (std::size_t j = 0; j < status_.size(); ++j) {
            status_[j].resize((read + 63) / 64);
            record_.channels[record_.analogCount + j].samples.Assign(
                std::make_shared<const SampleData>(std::move(status_[j]), read));
        }
    }

    void MapSamples(std::size_t records)
    {
        for (std::size_t j = 0; j < record_.analogCount; ++j) {
            const MappedSamples mapped{file_, file_->Bytes() + 8 + AnalogWidth(format) * j, recordSize_, records,
                                       FieldOf<format>(), 0, scales_[j]};
            record_.channels[j].samples.Assign(std::make_shared<const SampleData>(mapped));
        }
        for (std::size_t j = 0; j < record_.discreteCount; ++j) {
            const MappedSamples mapped{file_, file_->Bytes() + analogEnd_ + j / 8, recordSize_, records,
                                       MappedSamples::Field::Bit, static_cast<unsigned>(j % 8), {}};
            record_.channels[record_.analogCount + j].samples.Assign(std::make_shared<const SampleData>(mapped));
        }
    }

    void ReadStamps(const unsigned char* block, std::size_t count, StampCheck* check, DataStamps& result) const
    {
        for (std::size_t r = 0; r < count; ++r) {
            const std::int64_t stamp = LoadU32(block + r * recordSize_ + 4);
            if (check != nullptr)
                check->Add(stamp);
            else
                result.stamps.push_back(stamp);
        }
        result.present = true;
    }

    Document& document_;
    Oscillogram& record_;
    std::shared_ptr<MappedFile> file_;
    std::vector<SampleScale> scales_;
    std::size_t analogEnd_;
    std::size_t recordSize_ = 0;
    std::vector<std::vector<Code>> analog_;
    std::vector<std::vector<std::uint64_t>> status_;
};

bool IsFieldBlank(char c) { return c == ' ' || c == '\t'; }

// The comma- or tab-separated fields of one data line.
class LineFields {
public:
    LineFields(const char* begin, const char* end) : p_(begin), end_(end) {}

    // False when the line has no further field.
    bool Next(std::string_view& field)
    {
        if (done_)
            return false;
        while (p_ < end_ && IsFieldBlank(*p_))
            ++p_;
        const char* start = p_;
        while (p_ < end_ && *p_ != ',' && *p_ != '\t')
            ++p_;
        field = std::string_view(start, static_cast<std::size_t>(p_ - start));
        if (p_ < end_)
            ++p_;
        else
            done_ = true;
        return true;
    }

private:
    const char* p_;
    const char* end_;
    bool done_ = false;
};

// A data value that is not a number, thrown out of the reader; its caller names the place.
struct NotANumber {
    std::string_view field;
};

// Kept out of line, so that the throw does not weigh on the loop that reads plain integers.
[[gnu::noinline]] double GeneralValue(std::string_view field)
{
    if (const std::optional<double> number = LeadingNumber(field))
        return *number;
    throw NotANumber{field};
}

// A data value; plain integers, by far the most common, skip the general conversion. An
// empty field is a missing value.
double FieldValue(std::string_view field)
{
    if (TrimBlanks(field).empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::size_t i = 0;
    const bool negative = !field.empty() && field[0] == '-';
    i += !field.empty() && (field[0] == '-' || field[0] == '+') ? 1 : 0;
    std::int64_t value = 0;
    const std::size_t digitsStart = i;
    while (i < field.size() && i - digitsStart < 18 && field[i] >= '0' && field[i] <= '9')
        value = value * 10 + (field[i++] - '0');
    if (i > digitsStart && (i == field.size() || IsFieldBlank(field[i])))
        return negative ? -static_cast<double>(value) : static_cast<double>(value);
    return GeneralValue(field);
}

// Digits with '-' toggling the sign, like LeadingInt but 64-bit, for time stamps.
std::int64_t StampValue(std::string_view field)
{
    std::int64_t value = 0;
    bool negative = false;
    for (const char c : field) {
        if (c == '-')
            negative = !negative;
        else if (c >= '0' && c <= '9')
            value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 52);
        else
            break;
    }
    return negative ? -value : value;
}

// The values of an ASCII analog channel, kept as their codes while every one is a whole
// number an int32 holds, and as values from the first that is not (or that would not come
// back as the same double).
class AsciiColumn {
public:
    explicit AsciiColumn(const SampleScale& scale)
        : scale_(scale), zeroSignMatters_(std::bit_cast<std::uint64_t>(scale.Value(-0.0)) !=
                                          std::bit_cast<std::uint64_t>(scale.Value(0.0)))
    {
    }

    void Reserve(std::size_t count) { codes_.reserve(count); }

    void Append(double raw)
    {
        if (values_.empty() && Codable(raw)) {
            codes_.push_back(std::isnan(raw) ? static_cast<std::int32_t>(scale_.missing) : static_cast<std::int32_t>(raw));
            return;
        }
        if (values_.empty()) {
            values_.reserve(codes_.capacity());
            for (const std::int32_t code : codes_)
                values_.push_back(scale_.Value(code));
            codes_ = {};
        }
        values_.push_back(scale_.Value(raw));
    }

    std::shared_ptr<const SampleData> Data()
    {
        if (!values_.empty())
            return std::make_shared<const SampleData>(std::move(values_));
        return std::make_shared<const SampleData>(std::move(codes_), scale_);
    }

private:
    bool Codable(double raw) const
    {
        if (std::isnan(raw))
            return !std::isnan(scale_.missing);
        constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
        constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
        return raw >= kLowest && raw <= kHighest && raw == std::trunc(raw) && !(zeroSignMatters_ && raw == 0.0 && std::signbit(raw));
    }

    SampleScale scale_;
    bool zeroSignMatters_;
    std::vector<std::int32_t> codes_;
    std::vector<double> values_;
};

// The states of a status channel as bits.
class BitColumn {
public:
    void Reserve(std::size_t count) { words_.reserve((count + 63) / 64); }
    void Append(bool set)
    {
        if (count_ % 64 == 0)
            words_.push_back(0);
        words_.back() |= std::uint64_t{set} << (count_ % 64);
        ++count_;
    }
    std::shared_ptr<const SampleData> Data() { return std::make_shared<const SampleData>(std::move(words_), count_); }

private:
    std::vector<std::uint64_t> words_;
    std::size_t count_ = 0;
};

class AsciiReader {
public:
    AsciiReader(Document& document, MappedFile& file)
        : document_(document), record_(document.oscillogram), text_(file.Text()), file_(file),
          status_(record_.discreteCount)
    {
        text_ = text_.substr(0, text_.find('\x1A'));
        for (const SampleScale& scale : AnalogScales(record_, DataFormat::Ascii))
            analog_.emplace_back(scale);
    }

    DataStamps Read(StampCheck* check)
    {
        check_ = check;
        const std::size_t lines = CountDataLines();
        for (AsciiColumn& column : analog_)
            column.Reserve(lines);
        for (BitColumn& column : status_)
            column.Reserve(lines);
        DataStamps result;
        if (check_ == nullptr)
            result.stamps.reserve(lines);
        std::size_t shortLines = 0;
        std::size_t position = 0;
        while (position < text_.size() && !document_.progress.CancelRequested()) {
            std::size_t end = text_.find('\n', position);
            end = end == std::string_view::npos ? text_.size() : end;
            std::string_view line = text_.substr(position, end - position);
            position = end + 1;
            if (TrimBlanks(line.substr(0, line.find('\r'))).empty())
                continue;
            shortLines += ReadLine(line, result) ? 0 : 1;
            document_.progress.SetPosition(std::min(position, text_.size()));
            file_.Advance(position);
        }
        if (shortLines > 0)
            AddWarning(record_, warnings::kShortDataLines, {shortLines});
        for (std::size_t j = 0; j < analog_.size(); ++j)
            record_.channels[j].samples.Assign(analog_[j].Data());
        for (std::size_t j = 0; j < status_.size(); ++j)
            record_.channels[record_.analogCount + j].samples.Assign(status_[j].Data());
        UnwrapStamps(result.stamps);
        return result;
    }

private:
    std::size_t CountDataLines() const
    {
        std::size_t lines = 0;
        for (std::size_t at = 0; at < text_.size();) {
            const std::size_t end = std::min(text_.find('\n', at), text_.size());
            lines += end > at && text_[at] != '\r' ? 1 : 0;
            at = end + 1;
        }
        return lines;
    }

    // Appends one sample; false when the line lacks some of its values.
    bool ReadLine(std::string_view line, DataStamps& result)
    {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        LineFields fields(line.data(), line.data() + line.size());
        std::string_view field;
        bool complete = fields.Next(field);
        const bool hasStamp = fields.Next(field) && !TrimBlanks(field).empty();
        if (check_ != nullptr)
            check_->Add(hasStamp ? std::optional<std::int64_t>(StampValue(field)) : std::nullopt);
        else
            result.stamps.push_back(hasStamp ? StampValue(field) : 0);
        result.present = result.present || hasStamp;
        for (std::uint32_t j = 0; j < record_.analogCount; ++j) {
            const bool present = fields.Next(field);
            complete = complete && present;
            analog_[j].Append(present ? FieldValue(field) : 0.0);
        }
        for (std::uint32_t j = 0; j < record_.discreteCount; ++j) {
            const bool present = fields.Next(field);
            complete = complete && present;
            status_[j].Append(present && LeadingInt(field) != 0);
        }
        return complete;
    }

    Document& document_;
    Oscillogram& record_;
    std::string_view text_;
    MappedFile& file_;
    std::vector<AsciiColumn> analog_;
    std::vector<BitColumn> status_;
    StampCheck* check_ = nullptr;
};

// The error of a value that is no number, named by its line and field in the data file.
[[gnu::noinline]] FormatError NotANumberIn(const MappedFile& file, std::string_view field)
{
    const std::string_view text = file.Text();
    const auto at = static_cast<std::size_t>(field.data() - text.data());
    const std::size_t lineEnd = text.find_last_of('\n', at == 0 ? 0 : at - 1);
    const std::size_t lineStart = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    const std::string_view before = text.substr(lineStart, at - lineStart);
    const auto index = std::count_if(before.begin(), before.end(), [](char c) { return c == ',' || c == '\t'; });
    return FormatError(FormatError::Fault::NotANumber, file.Path().string(), LineNumberAt(text, at),
                       1 + static_cast<std::size_t>(index), field);
}

} // namespace

DataStamps ReadData(Document& document, const std::shared_ptr<MappedFile>& file, DataFormat format, StampCheck* check,
                    bool mapSamples)
{
    document.progress.SetTotal(5 * std::uint64_t{file->Size()});
    switch (format) {
    case DataFormat::Ascii:
        try {
            return AsciiReader(document, *file).Read(check);
        } catch (const NotANumber& bad) {
            throw NotANumberIn(*file, bad.field);
        }
    case DataFormat::Binary: return BinaryReader<DataFormat::Binary>(document, file).Read(check, mapSamples);
    case DataFormat::Binary32: return BinaryReader<DataFormat::Binary32>(document, file).Read(check, mapSamples);
    case DataFormat::Float32: return BinaryReader<DataFormat::Float32>(document, file).Read(check, mapSamples);
    }
    return {};
}

} // namespace zarva
