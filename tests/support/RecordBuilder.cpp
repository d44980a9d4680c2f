#include "support/RecordBuilder.h"

#include "core/model/TextFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

namespace zarva::test {
namespace {

void AppendLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

RecordBuilder& RecordBuilder::Station(std::string station, std::string recorder, std::string revision)
{
    station_ = std::move(station);
    recorder_ = std::move(recorder);
    revision_ = std::move(revision);
    return *this;
}

RecordBuilder& RecordBuilder::Analog(AnalogLine line)
{
    analog_.push_back(std::move(line));
    return *this;
}

RecordBuilder& RecordBuilder::Discrete(DiscreteLine line)
{
    discrete_.push_back(std::move(line));
    return *this;
}

RecordBuilder& RecordBuilder::LineFrequency(std::string text)
{
    lineFrequency_ = std::move(text);
    return *this;
}

RecordBuilder& RecordBuilder::Rate(double rate, std::int64_t endSample)
{
    rates_.emplace_back(rate, endSample);
    return *this;
}

RecordBuilder& RecordBuilder::NoRateLines()
{
    noRateLines_ = true;
    return *this;
}

RecordBuilder& RecordBuilder::Start(std::string date, std::string time)
{
    startDate_ = std::move(date);
    startTime_ = std::move(time);
    return *this;
}

RecordBuilder& RecordBuilder::FileType(std::string type)
{
    type_ = std::move(type);
    return *this;
}

RecordBuilder& RecordBuilder::TimeMultiplier(std::string text)
{
    timeMultiplier_ = std::move(text);
    return *this;
}

RecordBuilder& RecordBuilder::TimeCodes(std::string timeCode, std::string localCode)
{
    timeCodes_ = std::make_pair(std::move(timeCode), std::move(localCode));
    return *this;
}

RecordBuilder& RecordBuilder::FirstSampleNumber(std::uint32_t number)
{
    firstNumber_ = number;
    return *this;
}

RecordBuilder& RecordBuilder::PackStatusBits()
{
    packed_ = true;
    return *this;
}

double RecordBuilder::FirstRate() const
{
    return rates_.empty() || rates_.front().first <= 0.0 ? 1000.0 : rates_.front().first;
}

RecordBuilder& RecordBuilder::Sample(std::vector<double> analog, std::vector<int> states,
                                     std::optional<std::int64_t> stamp)
{
    analog.resize(analog_.size(), 0.0);
    states.resize(discrete_.size(), 0);
    const auto k = static_cast<double>(rows_.size());
    rows_.push_back({std::move(analog), std::move(states),
                     stamp.value_or(static_cast<std::int64_t>(std::llround(k * 1e6 / FirstRate())))});
    return *this;
}

RecordBuilder& RecordBuilder::Ramp(std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const auto k = static_cast<double>(rows_.size());
        std::vector<double> analog;
        for (std::size_t j = 0; j < analog_.size(); ++j)
            analog.push_back(k + 10.0 * static_cast<double>(j));
        std::vector<int> states;
        for (std::size_t j = 0; j < discrete_.size(); ++j)
            states.push_back(static_cast<int>((rows_.size() + j) % 2));
        Sample(std::move(analog), std::move(states));
    }
    return *this;
}

std::string RecordBuilder::UpperType() const
{
    std::string type = type_;
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::toupper(c); });
    return type;
}

std::string RecordBuilder::ConfigurationText() const
{
    const std::string& n = lineEnd_;
    std::string text = station_ + "," + recorder_ + (revision_.empty() ? "" : "," + revision_) + n;
    text += std::to_string(analog_.size() + discrete_.size()) + "," + std::to_string(analog_.size()) + "A," +
            std::to_string(discrete_.size()) + "D" + n;
    for (std::size_t j = 0; j < analog_.size(); ++j) {
        const AnalogLine& a = analog_[j];
        text += std::to_string(j + 1) + "," + a.id + "," + a.phase + "," + a.ccbm + "," + a.unit + "," +
                ExactText(a.a) + "," + ExactText(a.b) + "," + a.skew + "," + a.min + "," + a.max;
        if (!a.primary.empty() || !a.secondary.empty())
            text += "," + a.primary + "," + a.secondary + "," + a.ps;
        text += n;
    }
    for (std::size_t j = 0; j < discrete_.size(); ++j) {
        const DiscreteLine& d = discrete_[j];
        text += std::to_string(j + 1) + "," + d.id;
        if (!revision_.empty())
            text += "," + d.phase + "," + d.ccbm;
        text += "," + std::to_string(d.normalState) + n;
    }
    text += lineFrequency_ + n;
    if (noRateLines_) {
        text += "0" + n + "0," + std::to_string(rows_.size()) + n;
    } else if (rates_.empty()) {
        text += "1" + n + "1000," + std::to_string(rows_.size()) + n;
    } else {
        text += std::to_string(rates_.size()) + n;
        for (const auto& [rate, end] : rates_)
            text += ExactText(rate) + "," + std::to_string(end) + n;
    }
    text += startDate_ + "," + startTime_ + n + triggerDate_ + "," + triggerTime_ + n;
    text += type_ + n + timeMultiplier_ + n;
    if (timeCodes_)
        text += timeCodes_->first + "," + timeCodes_->second + n + "B,3" + n;
    return text;
}

std::string RecordBuilder::AsciiData() const
{
    std::string out;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        const Row& row = rows_[k];
        out += std::to_string(firstNumber_ + k) + "," + std::to_string(row.stamp);
        for (const double value : row.analog)
            out += "," + ExactText(value);
        for (const int state : row.states)
            out += "," + std::to_string(state);
        out += lineEnd_;
    }
    return out;
}

std::string RecordBuilder::BinaryData() const
{
    const std::string type = UpperType();
    const std::size_t statusBytes =
        packed_ ? (discrete_.size() + 7) / 8 : 2 * ((discrete_.size() + 15) / 16);
    std::string out;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        const Row& row = rows_[k];
        AppendLittleEndian(out, firstNumber_ + k, 4);
        AppendLittleEndian(out, static_cast<std::uint32_t>(row.stamp), 4);
        for (const double value : row.analog) {
            if (type == "BINARY")
                AppendLittleEndian(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
            else if (type == "FLOAT32")
                AppendLittleEndian(out, std::bit_cast<std::uint32_t>(static_cast<float>(value)), 4);
            else
                AppendLittleEndian(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(value)), 4);
        }
        std::string status(statusBytes, '\0');
        for (std::size_t j = 0; j < row.states.size(); ++j) {
            if (row.states[j] != 0)
                status[j / 8] = static_cast<char>(status[j / 8] | (1 << (j % 8)));
        }
        out += status;
    }
    return out;
}

std::string RecordBuilder::DataBytes() const
{
    return UpperType() == "ASCII" ? AsciiData() : BinaryData();
}

std::filesystem::path RecordBuilder::Write(const TempFolder& folder, const std::string& name,
                                           const std::string& cfgExtension, const std::string& datExtension) const
{
    folder.Write(name + datExtension, DataBytes());
    return folder.Write(name + cfgExtension, ConfigurationText());
}

} // namespace zarva::test
