#pragma once

#include "core/faultloc/LineModel.h"
#include "core/model/ZarvaException.h"

#include <optional>

namespace zarva {

// Whether the model can be computed: nothing, or the first error met in the sections of
// station 1, in order, as the exception whose text the user is shown.
std::optional<CZarvaException> Validate(const WrongPlaceLocatorData::LineModel& model);

} // namespace zarva
