#include "core/view/ChannelCommands.h"

#include "core/document/Document.h"
#include "core/dsp/WindowMeasures.h"
#include "core/formula/FormulaPatterns.h"
#include "core/model/CodePage.h"
#include "core/model/Channel.h"
#include "core/view/RowLayout.h"
#include "core/view/ViewTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>

namespace zarva {
namespace {

constexpr int kBadName = 396;  // "Неправильное имя канала."

bool Visible(const Channel& channel)
{
    return channel.HasFlag(display::kVisible);
}

void Hide(Channel& channel)
{
    channel.SetFlag(display::kVisible, false);
    channel.selected = false;
}

// Ends every group with fewer than two members.
void DropLoneGroups(std::vector<Channel>& channels)
{
    std::map<std::string, int> members;
    for (const Channel& channel : channels) {
        if (!channel.group.empty())
            ++members[channel.group];
    }
    for (Channel& channel : channels) {
        if (!channel.group.empty() && members[channel.group] < 2)
            channel.group.clear();
    }
}

void ForGroupOf(std::vector<Channel>& channels, const Channel& member, const auto& action)
{
    const std::string group = member.group;
    for (Channel& channel : channels) {
        if (&channel == &member || (!group.empty() && channel.group == group))
            action(channel);
    }
}

} // namespace

std::vector<std::size_t> ToggleOnSelected(std::vector<Channel>& channels, std::uint32_t flag,
                                          bool (*canCarry)(const Channel&))
{
    std::vector<std::size_t> selected;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].selected && (canCarry == nullptr || canCarry(channels[i])))
            selected.push_back(i);
    }
    const bool allHave = std::all_of(selected.begin(), selected.end(),
                                     [&](std::size_t i) { return channels[i].HasFlag(flag); });
    for (const std::size_t i : selected)
        channels[i].SetFlag(flag, !allHave);
    return selected;
}

std::vector<std::size_t> SetCurveMode(std::vector<Channel>& channels, std::uint32_t mode)
{
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        Channel& channel = channels[i];
        if (!channel.selected || !channel.IsAnalog() || (channel.displayFlags & display::kCurveModes) == mode)
            continue;
        channel.SetFlag(display::kCurveModes, false);
        channel.SetFlag(mode, true);
        changed.push_back(i);
    }
    return changed;
}

std::vector<std::size_t> ShowPrimaryValues(std::vector<Channel>& channels, bool primary)
{
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].IsAnalog() && channels[i].showPrimary != primary) {
            channels[i].showPrimary = primary;
            changed.push_back(i);
        }
    }
    return changed;
}

void ShowDiscrete(std::vector<Channel>& channels)
{
    for (Channel& channel : channels) {
        if (channel.IsDiscrete())
            channel.SetFlag(display::kVisible, true);
    }
}

void HideDiscrete(std::vector<Channel>& channels, bool onlyUnchanging)
{
    for (Channel& channel : channels) {
        if (channel.IsDiscrete() && (!onlyUnchanging || channel.minValue == channel.maxValue))
            Hide(channel);
    }
}

void HideSelected(std::vector<Channel>& channels)
{
    for (Channel& channel : channels) {
        if (!channel.selected)
            continue;
        if (!channel.group.empty()) {
            const std::string group = channel.group;
            for (Channel& member : channels) {
                if (member.group == group) {
                    Hide(member);
                    member.group.clear();
                }
            }
        }
        Hide(channel);
    }
}

bool SetVisibility(std::vector<Channel>& channels, const std::vector<bool>& visible)
{
    bool changed = false;
    for (std::size_t i = 0; i < channels.size() && i < visible.size(); ++i) {
        if (Visible(channels[i]) == visible[i])
            continue;
        changed = true;
        if (visible[i])
            channels[i].SetFlag(display::kVisible, true);
        else
            Hide(channels[i]);
    }
    return changed;
}

bool ResetVerticalZoom(std::vector<Channel>& channels)
{
    bool changed = false;
    for (Channel& channel : channels) {
        if (!channel.selected || !channel.IsAnalog() || !channel.zoom.zoomed)
            continue;
        ForGroupOf(channels, channel, [](Channel& member) { member.zoom = VerticalZoom{}; });
        changed = true;
    }
    return changed;
}

std::vector<std::size_t> SelectedVisible(const std::vector<Channel>& channels)
{
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].selected && Visible(channels[i]))
            chosen.push_back(i);
    }
    return chosen;
}

bool CanMerge(const std::vector<Channel>& channels)
{
    const std::vector<std::size_t> chosen = SelectedVisible(channels);
    if (chosen.size() < 2)
        return false;
    const std::string unit = channels[chosen.front()].Unit();
    return std::all_of(chosen.begin(), chosen.end(), [&](std::size_t i) {
        const Channel& channel = channels[i];
        return channel.IsAnalog() && !channel.HasFlag(display::kPasted) && !unit.empty() && channel.Unit() == unit;
    });
}

bool SameSamplingRate(const std::vector<Channel>& channels)
{
    const std::vector<std::size_t> chosen = SelectedVisible(channels);
    return std::all_of(chosen.begin(), chosen.end(), [&](std::size_t i) {
        return SamplingRate(channels[i]) == SamplingRate(channels[chosen.front()]);
    });
}

void MergeSelected(std::vector<Channel>& channels, const std::string& groupId)
{
    for (const std::size_t i : SelectedVisible(channels))
        channels[i].group = groupId;
    DropLoneGroups(channels);
}

void SplitSelected(std::vector<Channel>& channels)
{
    for (Channel& channel : channels) {
        if (channel.selected)
            channel.group.clear();
    }
    DropLoneGroups(channels);
}

std::string NewGroupId()
{
    static std::mt19937_64 random{std::random_device{}()};
    const std::uint64_t high = random();
    const std::uint64_t low = random();
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(high >> 32),
                  static_cast<unsigned>((high >> 16) & 0xFFFF), static_cast<unsigned>(high & 0xFFFF),
                  static_cast<unsigned>(low >> 48), static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
    return text;
}

void ClickSelect(std::vector<Channel>& channels, const std::vector<Row>& rows, std::size_t clicked,
                 ClickModifiers modifiers, int& anchor)
{
    if (!modifiers.shift && !modifiers.control) {
        for (Channel& channel : channels)
            channel.selected = false;
    }
    std::vector<std::size_t> order;
    for (const Row& row : rows)
        order.insert(order.end(), row.members.begin(), row.members.end());
    const auto at = [&order](std::size_t channel) { return std::find(order.begin(), order.end(), channel); };
    const bool anchorShown = anchor >= 0 && at(static_cast<std::size_t>(anchor)) != order.end();
    if (modifiers.shift && anchorShown && at(clicked) != order.end()) {
        auto from = at(static_cast<std::size_t>(anchor));
        auto to = at(clicked);
        if (from > to)
            std::swap(from, to);
        for (auto it = from; it <= to; ++it)
            channels[*it].selected = true;
        return;
    }
    Channel& channel = channels[clicked];
    channel.selected = !channel.selected;
    if (channel.selected)
        anchor = static_cast<int>(clicked);
}

void SelectForMenu(std::vector<Channel>& channels, std::size_t clicked)
{
    if (channels[clicked].selected)
        return;
    for (Channel& channel : channels)
        channel.selected = false;
    channels[clicked].selected = true;
}

bool NameInUse(const std::vector<Channel>& channels, std::size_t index, const std::string& name)
{
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const Channel& channel = channels[i];
        const CodePage page = channel.owner != nullptr ? channel.owner->oscillogram.codePage : CodePage::Windows1251;
        if (i != index && (channel.Name() == name || DecodeText(channel.channelId, page) == name))
            return true;
    }
    return false;
}

int RenameChannel(Oscillogram& record, std::size_t index, const std::string& name)
{
    if (NameInUse(record.channels, index, name))
        return viewtext::kNameInUse;
    const CalcChannels& computed = record.calcChannels;
    const bool unwritable = name.find_first_of("\"\r\n") != std::string::npos && computed.IsReferenced(index);
    if ((computed.Computes(record.channels.at(index).name) && !IsComputedChannelName(name)) || unwritable)
        return kBadName;
    record.channels[index].aliasName = name;
    record.calcChannels.RenameChannel(index, name);
    return 0;
}

ValueWindow ChannelWindow(const Channel& channel)
{
    if (!(channel.minValue <= channel.maxValue))
        return {};
    const double span = channel.maxValue - channel.minValue;
    if (!channel.zoom.zoomed || !(span > 0.0) || !std::isfinite(span))
        return {channel.minValue, channel.maxValue};
    return {channel.minValue + channel.zoom.from * span, channel.minValue + channel.zoom.to * span};
}

ValueWindow RowWindow(const std::vector<Channel>& channels, const std::vector<std::size_t>& members)
{
    ValueWindow window = ChannelWindow(channels[members.front()]);
    for (const std::size_t member : members) {
        const ValueWindow own = ChannelWindow(channels[member]);
        window.low = std::min(window.low, own.low);
        window.high = std::max(window.high, own.high);
    }
    return window;
}

void ZoomRowWindow(std::vector<Channel>& channels, const Row& row, int y0, int y1)
{
    if (y0 == y1) {
        for (const std::size_t member : row.members)
            ForGroupOf(channels, channels[member], [](Channel& channel) { channel.zoom = VerticalZoom{}; });
        return;
    }
    const ValueWindow window = RowWindow(channels, row.members);
    const double scale = (row.height - 10) / (window.high - window.low);
    if (!(scale > 0.0) || !std::isfinite(scale))
        return;
    const int top = std::clamp(std::min(y0, y1), 0, row.height);
    const int bottom = std::clamp(std::max(y0, y1), 0, row.height);
    const auto valueAt = [&](int y) {
        return std::clamp(window.low + (row.height - 5 - y) / scale, window.low, window.high);
    };
    const double high = valueAt(top);
    const double low = valueAt(bottom);
    if (!(high > low))
        return;
    for (const std::size_t member : row.members) {
        Channel& channel = channels[member];
        const double span = channel.maxValue - channel.minValue;
        if (!(span > 0.0) || !std::isfinite(span))
            continue;
        VerticalZoom& zoom = channel.zoom;
        zoom.zoomed = true;
        zoom.from = (low - channel.minValue) / span;
        zoom.to = (high - channel.minValue) / span;
        zoom.top = static_cast<double>(top) / row.height;
        zoom.bottom = static_cast<double>(bottom) / row.height;
        ++zoom.level;
    }
}

} // namespace zarva
