#include "core/formats/SettingsFile.h"

namespace zarva {

// The settings file is not read yet: a record opens with its settings at their defaults.
void ReadSettings(Document&, const std::filesystem::path&, bool) {}

} // namespace zarva
