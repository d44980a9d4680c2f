#pragma once

#include "core/view/ViewState.h"

namespace zarva {

class SettingsSection;

// Reads "XScale", "RulerState", "YAnalogSize" and "Sells" of the record's "View" section
// (null: a record without one); absent or unusable values give the defaults, the time scale
// twice the fit scale.
void ReadViewSettings(const SettingsSection* view, double fitScale, ViewState& state);
void WriteViewSettings(const ViewState& state, SettingsSection& view);

} // namespace zarva
