#pragma once

#include "DemoParameters.h"

#include "core/storage/SettingsStore.h"

namespace zarva::demo {

// The demo record's settings file: what an engineer would have set up for this record, so
// that its analyses work as soon as it is opened. Each kind of setting fills its own
// sections; add a function beside the line model's for another kind.
SettingsStore DemoSettings(const DemoParameters& parameters);

} // namespace zarva::demo
