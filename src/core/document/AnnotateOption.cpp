#include "core/document/AnnotateOption.h"

#include "core/model/ChannelKey.h"
#include "core/model/Oscillogram.h"

#include <charconv>
#include <cmath>
#include <exception>

namespace zarva {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator, std::size_t maxParts)
{
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < maxParts) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos)
            break;
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.push_back(text);
    return parts;
}

std::string CommentText(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Reads the option's fields against one record; each getter clears `ok` on failure.
class Fields {
public:
    Fields(const Oscillogram& record, std::vector<std::string_view> parts) : record_(record), parts_(std::move(parts)) {}

    bool Ok() const { return ok_; }

    std::int64_t Sample(std::size_t index)
    {
        std::int64_t sample = -1;
        const std::string_view text = parts_[index];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), sample);
        ok_ = ok_ && error == std::errc{} && end == text.data() + text.size() && sample >= 0 &&
              static_cast<std::size_t>(sample) < record_.SampleCount();
        return sample;
    }

    double Value(std::size_t index)
    {
        double value = 0.0;
        const std::string_view text = parts_[index];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        ok_ = ok_ && error == std::errc{} && end == text.data() + text.size() && std::isfinite(value);
        return value;
    }

    std::string ChannelOf(std::size_t index)
    {
        try {
            return ChannelKey(record_.channels[record_.FindChannel(std::string(parts_[index]))]);
        } catch (const std::exception&) {
            ok_ = false;
            return {};
        }
    }

    std::string Comment(std::size_t index) const { return CommentText(parts_[index]); }

private:
    const Oscillogram& record_;
    std::vector<std::string_view> parts_;
    bool ok_ = true;
};

std::optional<Annotation> ParseItem(std::string_view part, const Oscillogram& record)
{
    const std::string_view kind = part.substr(0, part.find(':'));
    const std::size_t count = kind == "moment" ? 3 : (kind == "level" || kind == "area") ? 6 : 0;
    std::vector<std::string_view> parts = Split(part, ':', count);
    if (count > 0 && parts.size() == count - 1)
        parts.emplace_back();  // no comment
    if (count == 0 || parts.size() != count)
        return std::nullopt;
    Fields fields(record, std::move(parts));
    Annotation item;
    if (kind == "moment") {
        MomentItem moment;
        moment.position = fields.Sample(1);
        item = moment;
    } else if (kind == "level") {
        LevelItem level;
        level.channel = fields.ChannelOf(1);
        level.positionY = fields.Value(2);
        level.positionFrom = fields.Sample(3);
        level.positionTo = fields.Sample(4);
        item = level;
    } else {
        AreaItem area;
        area.channelFrom = fields.ChannelOf(1);
        area.channelTo = fields.ChannelOf(2);
        area.positionFrom = fields.Sample(3);
        area.positionTo = fields.Sample(4);
        item = area;
    }
    Common(item).text = fields.Comment(count - 1);
    return fields.Ok() ? std::optional(std::move(item)) : std::nullopt;
}

} // namespace

std::optional<std::vector<Annotation>> ParseAnnotateOption(std::string_view option, const Oscillogram& record,
                                                           std::string& failed)
{
    std::vector<Annotation> items;
    for (const std::string_view part : Split(option, ';', std::string_view::npos)) {
        if (part.empty())
            continue;
        std::optional<Annotation> item = ParseItem(part, record);
        if (!item) {
            failed = std::string(part);
            return std::nullopt;
        }
        items.push_back(std::move(*item));
    }
    return items;
}

} // namespace zarva
