#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zarva {

class Channel;
class Oscillogram;
struct Row;

// What the view's commands do to the channels of a record. Each returns the indices of the
// channels whose display flags changed, so that only those recompute their series.

// Sets `flag` on every selected channel, or clears it on all of them when each has it; with
// `canCarry`, only the selected channels it accepts count.
std::vector<std::size_t> ToggleOnSelected(std::vector<Channel>& channels, std::uint32_t flag,
                                          bool (*canCarry)(const Channel&) = nullptr);
// The curve mode (instantaneous, RMS or first harmonic) of every selected analog channel.
std::vector<std::size_t> SetCurveMode(std::vector<Channel>& channels, std::uint32_t mode);
// Shows every analog channel in primary values, or in secondary ones.
std::vector<std::size_t> ShowPrimaryValues(std::vector<Channel>& channels, bool primary);

void ShowDiscrete(std::vector<Channel>& channels);
// Hides discrete channels, all or only those that never change; hidden ones are deselected.
void HideDiscrete(std::vector<Channel>& channels, bool onlyUnchanging);
// Hides the selected channels; a group with a selected member is hidden whole and dissolved.
void HideSelected(std::vector<Channel>& channels);
// Shows the channels `visible` marks and hides (and deselects) the others, as the channel
// list sets them. False when nothing changed.
bool SetVisibility(std::vector<Channel>& channels, const std::vector<bool>& visible);

// Resets the vertical zoom of the selected analog channels and their groups. False when none
// was zoomed.
bool ResetVerticalZoom(std::vector<Channel>& channels);

// The selected visible channels.
std::vector<std::size_t> SelectedVisible(const std::vector<Channel>& channels);

// Two or more selected visible channels, all analog, not pasted and with one non-empty unit.
bool CanMerge(const std::vector<Channel>& channels);
// Whether the selected visible channels share one sampling rate.
bool SameSamplingRate(const std::vector<Channel>& channels);
// Puts the selected visible channels in a new group named `groupId`.
void MergeSelected(std::vector<Channel>& channels, const std::string& groupId);
// Takes the selected channels out of their groups; a group left with one member ends.
void SplitSelected(std::vector<Channel>& channels);
// A fresh group identifier: a GUID text in braces.
std::string NewGroupId();

// A left click on a row of the label panel.
struct ClickModifiers {
    bool shift = false;
    bool control = false;
};
// Selects as a click on channel `clicked` does; `anchor` is the channel last clicked
// (-1 for none) and is updated.
void ClickSelect(std::vector<Channel>& channels, const std::vector<Row>& rows, std::size_t clicked,
                 ClickModifiers modifiers, int& anchor);
// A right-button press on an unselected channel selects it alone.
void SelectForMenu(std::vector<Channel>& channels, std::size_t clicked);

// Whether `name` is the name shown or the own name of a channel other than `index`.
bool NameInUse(const std::vector<Channel>& channels, std::size_t index, const std::string& name);
// Gives channel `index` the user's name `name`, the formulas of the record following it
// (CalcChannels::RenameChannel). 0 when done, else the message refusing it, nothing changed:
// the name is in use, or a computed channel could not keep it, or a formula that refers to
// the channel could not write it.
int RenameChannel(Oscillogram& record, std::size_t index, const std::string& name);

// The vertical window of a channel: its extremes, narrowed by its zoom window.
struct ValueWindow {
    double low = 0.0;
    double high = 0.0;
};
ValueWindow ChannelWindow(const Channel& channel);
// The common window of a row's members.
ValueWindow RowWindow(const std::vector<Channel>& channels, const std::vector<std::size_t>& members);

// Narrows the window of a row's members to the values between two pixel rows `y0` and `y1`
// measured from the row's top; equal rows reset the window as the reset command does.
void ZoomRowWindow(std::vector<Channel>& channels, const Row& row, int y0, int y1);

} // namespace zarva
