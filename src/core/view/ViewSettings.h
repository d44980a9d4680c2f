#pragma once

#include "core/view/ViewState.h"

#include <vector>

namespace zarva {

class Channel;
class SettingsSection;

// Reads "XScale", "RulerState", "YAnalogSize" and "Sells" of the record's "View" section
// (null: a record without one); absent or unusable values give the defaults, the time scale
// twice the fit scale and the ruler unit `defaultRuler`.
void ReadViewSettings(const SettingsSection* view, double fitScale, RulerUnit defaultRuler, ViewState& state);
void WriteViewSettings(const ViewState& state, SettingsSection& view);

// The merged rows as "MergedRows": the channels of each row by their keys, rows separated by
// ";", channels by ",", and those characters and "%" within a key written as "%3B", "%2C",
// "%25"; empty once the rows are split again.
void SaveMergedRows(const std::vector<Channel>& channels, SettingsSection& view);
// Merges the channels found again, row by row; a row of which fewer than two channels are
// found stays apart.
void LoadMergedRows(std::vector<Channel>& channels, const SettingsSection& view);

} // namespace zarva
