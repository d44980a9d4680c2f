#include "core/document/Annotations.h"

#include "core/model/TextFormat.h"
#include "core/storage/SettingsSection.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace zarva {
namespace {

struct KindNames {
    const char* section;
    const char* item;
};
// By GetKind - 1.
constexpr KindNames kKinds[] = {{"Moments", "Moment"}, {"Levels", "Level"}, {"Areas", "Area"}};

void SaveCommon(const CommentItem& item, SettingsSection& section)
{
    section.SetString("text", WithLineFeeds(item.text));
    section.SetInt("locked", item.locked ? 1 : 0);
    section.SetInt("visible", item.visible ? 1 : 0);
}

void LoadCommon(const SettingsSection& section, CommentItem& item)
{
    item.text = WithLineFeeds(section.GetString("text"));
    item.locked = section.GetInt("locked", 0) != 0;
    item.visible = section.GetInt("visible", 1) != 0;
}

void SavePosition(SettingsSection& section, const char* key, std::int64_t position)
{
    section.SetInt(key, static_cast<int>(std::clamp<std::int64_t>(position, 0, std::numeric_limits<int>::max())));
}

std::int64_t LoadPosition(const SettingsSection& section, const char* key, std::size_t sampleCount)
{
    const auto last = static_cast<std::int64_t>(sampleCount) - 1;
    return std::clamp<std::int64_t>(section.GetInt(key, 0), 0, std::max<std::int64_t>(last, 0));
}

void SaveItem(const MomentItem& item, SettingsSection& section)
{
    SaveCommon(item, section);
    SavePosition(section, "position", item.position);
}

void SaveItem(const LevelItem& item, SettingsSection& section)
{
    SaveCommon(item, section);
    section.SetString("channel", item.channel);
    section.SetDouble("positionY", item.positionY);
    SavePosition(section, "positionFrom", item.positionFrom);
    SavePosition(section, "positionTo", item.positionTo);
}

void SaveItem(const AreaItem& item, SettingsSection& section)
{
    SaveCommon(item, section);
    SavePosition(section, "positionFrom", item.positionFrom);
    SavePosition(section, "positionTo", item.positionTo);
    section.SetString("channelFrom", item.channelFrom);
    section.SetString("channelTo", item.channelTo);
}

Annotation LoadItem(int kind, const SettingsSection& section, std::size_t sampleCount)
{
    if (kind == 1) {
        MomentItem moment;
        LoadCommon(section, moment);
        moment.position = LoadPosition(section, "position", sampleCount);
        return moment;
    }
    if (kind == 2) {
        LevelItem level;
        LoadCommon(section, level);
        level.channel = section.GetString("channel");
        const double value = section.GetDouble("positionY", 0.0);
        level.positionY = std::isfinite(value) ? value : 0.0;
        level.positionFrom = LoadPosition(section, "positionFrom", sampleCount);
        level.positionTo = LoadPosition(section, "positionTo", sampleCount);
        return level;
    }
    AreaItem area;
    LoadCommon(section, area);
    area.channelFrom = section.GetString("channelFrom");
    area.channelTo = section.GetString("channelTo");
    area.positionFrom = LoadPosition(section, "positionFrom", sampleCount);
    area.positionTo = LoadPosition(section, "positionTo", sampleCount);
    return area;
}

// "Moment12" sorts after "Moment2"; names without a number come last, by name.
std::pair<long long, std::string> NumberOrder(const std::string& name, const std::string& prefix)
{
    long long number = std::numeric_limits<long long>::max();
    if (name.starts_with(prefix)) {
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        long long parsed = 0;
        const auto [end, error] = std::from_chars(first, last, parsed);
        if (error == std::errc{} && end == last)
            number = parsed;
    }
    return {number, name};
}

} // namespace

int GetKind(const Annotation& item)
{
    return static_cast<int>(item.index()) + 1;
}

const CommentItem& Common(const Annotation& item)
{
    return std::visit([](const auto& kind) -> const CommentItem& { return kind; }, item);
}

CommentItem& Common(Annotation& item)
{
    return std::visit([](auto& kind) -> CommentItem& { return kind; }, item);
}

std::size_t Annotations::Add(Annotation item)
{
    items_.push_back(std::move(item));
    picked_ = items_.size() - 1;
    return *picked_;
}

void Annotations::Replace(std::size_t index, Annotation item)
{
    if (index < items_.size())
        items_[index] = std::move(item);
}

void Annotations::Remove(std::size_t index)
{
    if (index >= items_.size())
        return;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    const auto follow = [index](std::optional<std::size_t>& held) {
        if (held == index)
            held.reset();
        else if (held && *held > index)
            --*held;
    };
    follow(hovered_);
    follow(picked_);
}

void Annotations::Assign(std::vector<Annotation> items)
{
    items_ = std::move(items);
    hovered_.reset();
    picked_.reset();
}

std::optional<std::size_t> Annotations::Valid(std::optional<std::size_t> index) const
{
    return index && *index < items_.size() ? index : std::nullopt;
}

bool Annotations::SetHovered(std::optional<std::size_t> index)
{
    const std::optional<std::size_t> before = std::exchange(hovered_, Valid(index));
    return before != hovered_;
}

bool Annotations::SetPicked(std::optional<std::size_t> index)
{
    const std::optional<std::size_t> before = std::exchange(picked_, Valid(index));
    return before != picked_;
}

void Annotations::ChooseTool(AnnotationTool tool)
{
    tool_ = tool_ == tool ? AnnotationTool::None : tool;
}

std::vector<std::int64_t> MomentPositions(const Annotations& annotations)
{
    std::vector<std::int64_t> positions;
    for (const Annotation& item : annotations.Items()) {
        if (const auto* moment = std::get_if<MomentItem>(&item))
            positions.push_back(moment->position);
    }
    return positions;
}

void SaveAnnotations(const std::vector<Annotation>& items, SettingsSection& comments)
{
    int numbers[std::size(kKinds)] = {};
    for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
        const bool used = std::any_of(items.begin(), items.end(),
                                      [kind](const Annotation& item) { return item.index() == kind; });
        if (used || comments.SubSections().contains(kKinds[kind].section))
            comments.SubSection(kKinds[kind].section).Clear();
    }
    for (const Annotation& item : items) {
        const std::size_t kind = item.index();
        const std::string name = kKinds[kind].item + std::to_string(++numbers[kind]);
        SettingsSection& section = comments.SubSection(kKinds[kind].section).SubSection(name);
        std::visit([&section](const auto& shown) { SaveItem(shown, section); }, item);
    }
}

std::vector<Annotation> LoadAnnotations(const SettingsSection& comments, std::size_t sampleCount)
{
    std::vector<Annotation> items;
    for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
        const auto found = comments.SubSections().find(kKinds[kind].section);
        if (found == comments.SubSections().end())
            continue;
        std::vector<std::pair<std::pair<long long, std::string>, const SettingsSection*>> ordered;
        for (const auto& [name, section] : found->second.SubSections())
            ordered.emplace_back(NumberOrder(name, kKinds[kind].item), &section);
        std::sort(ordered.begin(), ordered.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& entry : ordered)
            items.push_back(LoadItem(static_cast<int>(kind) + 1, *entry.second, sampleCount));
    }
    return items;
}

} // namespace zarva
