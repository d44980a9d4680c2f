#pragma once

#include "core/model/CodePage.h"

#include <string_view>
#include <vector>

namespace zarva {

// The code page of 8-bit texts that carry no marker, judged over all of them together. Valid
// UTF-8 holding a multi-byte character is UTF-8. Otherwise each page's reading is scored per
// byte and the best wins: Russian letters in words of their own, common Chinese characters,
// accented letters inside Latin words score; symbols, controls, broken or private-use
// sequences and letters of the wrong script cost. Ties and plain ASCII go to Windows-1251.
CodePage DetectCodePage(const std::vector<std::string_view>& texts);

} // namespace zarva
