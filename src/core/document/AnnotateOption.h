#pragma once

#include "core/document/Annotations.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarva {

class Oscillogram;

// Annotations written out as text, for pictures made without a mouse:
//   moment:N:TEXT;level:CHANNEL:VALUE:N1:N2:TEXT;area:CH1:CH2:N1:N2:TEXT
// N are sample indices from 0, channels are named as the view shows them, VALUE is in the
// channel's displayed units, and "\n" in a TEXT starts a new line (a TEXT may hold ':').
// None when a part is malformed or names what the record has not; `failed` gets that part.
std::optional<std::vector<Annotation>> ParseAnnotateOption(std::string_view option, const Oscillogram& record,
                                                           std::string& failed);

} // namespace zarva
