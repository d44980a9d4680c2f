#include "core/view/ViewSettings.h"

#include "core/model/Channel.h"
#include "core/model/ChannelKey.h"
#include "core/model/TextFormat.h"
#include "core/storage/SettingsSection.h"
#include "core/view/ViewScale.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace zarva {
namespace {

constexpr const char* kXScaleKey = "XScale";
constexpr const char* kRulerKey = "RulerState";
constexpr const char* kRowKey = "YAnalogSize";
constexpr const char* kGridKey = "Sells";
constexpr const char* kMergedRowsKey = "MergedRows";

// Rows stay within what the zoom steps reach from either limit.
constexpr int kLeastRow = 20;
constexpr int kGreatestRow = 1000;

std::string Escaped(const std::string& key)
{
    std::string text;
    for (const char c : key) {
        if (c == '%')
            text += "%25";
        else if (c == ',')
            text += "%2C";
        else if (c == ';')
            text += "%3B";
        else
            text += c;
    }
    return text;
}

std::string Unescaped(const std::string& text)
{
    std::string key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string code = text.substr(i, 3);
        const char c = code == "%25" ? '%' : code == "%2C" ? ',' : code == "%3B" ? ';' : '\0';
        key += c != '\0' ? c : text[i];
        i += c != '\0' ? 2 : 0;
    }
    return key;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end = text.find(separator); ; end = text.find(separator, start)) {
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

void ReadViewSettings(const SettingsSection* view, double fitScale, RulerUnit defaultRuler, ViewState& state)
{
    const double noScale = std::nan("");
    state.xScale = UsableScale(view != nullptr ? view->GetDouble(kXScaleKey, noScale) : noScale, fitScale);
    const int ruler = view != nullptr ? view->GetInt(kRulerKey, -1) : -1;
    state.rulerState = ruler >= 0 && ruler <= 4 ? static_cast<RulerUnit>(ruler) : defaultRuler;
    const int row = view != nullptr ? view->GetInt(kRowKey, view::kDefaultYAnalogSize) : view::kDefaultYAnalogSize;
    state.yAnalogSize = std::clamp(row, kLeastRow, kGreatestRow);
    state.sells = view == nullptr || view->GetInt(kGridKey, 1) != 0;
}

void WriteViewSettings(const ViewState& state, SettingsSection& view)
{
    // Every digit: the scale is a power of two that six decimals would lose.
    view.SetString(kXScaleKey, ExactText(state.xScale));
    view.SetInt(kRulerKey, static_cast<int>(state.rulerState));
    view.SetInt(kRowKey, state.yAnalogSize);
    view.SetInt(kGridKey, state.sells ? 1 : 0);
}

void SaveMergedRows(const std::vector<Channel>& channels, SettingsSection& view)
{
    std::map<std::string, std::string> rows;  // group to its members' keys, in channel order
    std::vector<std::string> order;
    for (const Channel& channel : channels) {
        if (channel.group.empty())
            continue;
        auto [row, added] = rows.try_emplace(channel.group);
        if (added)
            order.push_back(channel.group);
        row->second += (row->second.empty() ? "" : ",") + Escaped(ChannelKey(channel));
    }
    std::string text;
    for (const std::string& group : order)
        text += (text.empty() ? "" : ";") + rows[group];
    if (!text.empty() || view.Values().contains(kMergedRowsKey))
        view.SetString(kMergedRowsKey, text);
}

void LoadMergedRows(std::vector<Channel>& channels, const SettingsSection& view)
{
    const std::string text = view.GetString(kMergedRowsKey, "");
    if (text.empty())
        return;
    int number = 0;
    for (const std::string& row : Split(text, ';')) {
        std::vector<std::size_t> members;
        for (const std::string& key : Split(row, ',')) {
            const auto found = FindChannelByKey(channels, Unescaped(key));
            if (found && channels[*found].IsAnalog() && std::find(members.begin(), members.end(), *found) == members.end())
                members.push_back(*found);
        }
        if (members.size() < 2)
            continue;
        const std::string group = "row" + std::to_string(++number);
        for (const std::size_t member : members)
            channels[member].group = group;
    }
}

} // namespace zarva
