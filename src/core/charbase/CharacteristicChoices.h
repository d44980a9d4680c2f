#pragma once

#include "core/charbase/BaseLoader.h"

#include <string>

namespace zarva {

class SettingsStore;

// The record settings section a diagram keeps its state in: "Circle Chart" or "Diff Chart".
const std::string& ChartSection(ChartKind kind);

// Stores the selected block type's name under "SelectedBlock" and, in the sub-section
// "Selected Block", each of its characteristics' visibility and current setting values.
// Choices stored before are replaced; the diagram's other values in the section stay.
void SaveChoices(SettingsStore& settings, ChartKind kind, const BlockType& selected);

// The name stored under "SelectedBlock"; empty (meaning "Нет") when there is none.
std::string SelectedBlockName(const SettingsStore& settings, ChartKind kind);

// Restores the stored visibility and setting values of the selected block type's
// characteristics; what is not stored becomes visible, with the default value.
void LoadChoices(const SettingsStore& settings, ChartKind kind, BlockType& selected);

} // namespace zarva
