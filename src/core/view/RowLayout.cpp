#include "core/view/RowLayout.h"

#include "core/model/Channel.h"
#include "core/view/ViewState.h"

#include <algorithm>
#include <map>
#include <string>

namespace zarva {
namespace {

constexpr std::uint32_t kReadouts = display::kReadMinMax | display::kReadRms | display::kReadFirstHarmonic;
constexpr std::uint32_t kBadgeModes = display::kInverted | display::kDcRemoved | display::kCurveRms |
                                      display::kCurveFirstHarmonic;

bool Visible(const Channel& channel)
{
    return channel.HasFlag(display::kVisible);
}

// Visible members of every group, keyed by the group, in channel order.
std::map<std::string, std::vector<std::size_t>> GroupMembers(const std::vector<Channel>& channels)
{
    std::map<std::string, std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].IsAnalog() && !channels[i].group.empty() && Visible(channels[i]))
            groups[channels[i].group].push_back(i);
    }
    return groups;
}

} // namespace

int AnalogRowHeight(const Channel& channel, int yAnalogSize, const TextMetrics& metrics)
{
    int least = metrics.textHeight + 10;
    if (channel.HasFlag(display::kReadMinMax))
        least += 2 * metrics.textHeight;
    if (channel.HasFlag(display::kReadRms))
        least += metrics.textHeight;
    if (channel.HasFlag(display::kReadFirstHarmonic))
        least += metrics.textHeight;
    if (channel.displayRatio != 1.0 || channel.HasFlag(kBadgeModes))
        least += 23;
    return std::max(yAnalogSize, least);
}

int MemberBlockHeight(const Channel& first, const TextMetrics& metrics)
{
    return metrics.textHeight + 33 + (first.HasFlag(kReadouts) ? metrics.smallTextHeight : 0);
}

std::vector<Row> LayoutRows(const std::vector<Channel>& channels, int yAnalogSize, const TextMetrics& metrics)
{
    const auto groups = GroupMembers(channels);
    std::vector<Row> rows;
    int y = 0;
    const auto add = [&rows, &y](Row row) {
        row.top = y;
        y += row.height;
        rows.push_back(std::move(row));
    };
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const Channel& channel = channels[i];
        if (!channel.IsAnalog() || !Visible(channel))
            continue;
        const auto group = channel.group.empty() ? groups.end() : groups.find(channel.group);
        if (group == groups.end() || group->second.size() < 2) {
            add(Row{{i}, 0, AnalogRowHeight(channel, yAnalogSize, metrics), false});
        } else if (group->second.front() == i) {
            const int members = static_cast<int>(group->second.size());
            add(Row{group->second, 0, std::max(yAnalogSize, members * MemberBlockHeight(channel, metrics)), false});
        }
    }
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].IsDiscrete() && Visible(channels[i]))
            add(Row{{i}, 0, view::kDiscreteRowHeight, true});
    }
    return rows;
}

int ContentHeight(const std::vector<Row>& rows)
{
    return rows.empty() ? 0 : rows.back().Bottom();
}

std::optional<RowHit> RowAt(const std::vector<Row>& rows, const std::vector<Channel>& channels, int y,
                            const TextMetrics& metrics)
{
    const auto found = std::find_if(rows.begin(), rows.end(), [y](const Row& row) { return y >= row.top && y < row.Bottom(); });
    if (found == rows.end())
        return std::nullopt;
    RowHit hit{static_cast<std::size_t>(found - rows.begin()), 0};
    if (found->Merged()) {
        const int block = MemberBlockHeight(channels[found->Channel()], metrics);
        hit.member = std::min(static_cast<std::size_t>((y - found->top) / block), found->members.size() - 1);
    }
    return hit;
}

std::vector<std::vector<Row>> PaginateRows(const std::vector<Row>& rows, int pageHeight)
{
    std::vector<std::vector<Row>> pages;
    int used = pageHeight;
    for (Row row : rows) {
        if (used + row.height > pageHeight || pages.empty()) {
            pages.emplace_back();
            used = 0;
        }
        row.top = used;
        used += row.height;
        pages.back().push_back(std::move(row));
    }
    return pages;
}

std::optional<std::size_t> RowOf(const std::vector<Row>& rows, std::size_t channel)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (std::find(rows[i].members.begin(), rows[i].members.end(), channel) != rows[i].members.end())
            return i;
    }
    return std::nullopt;
}

} // namespace zarva
