#pragma once

#include "core/view/ViewState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zarva {

class Document;

// The status-bar texts of the cursors, in the order of the bar's panes.
struct CursorStatus {
    std::string vertical1;
    std::string vertical2;
    std::string verticalDifference;
    std::string horizontal1;
    std::string horizontal2;
    std::string horizontalDifference;

    std::vector<std::string> Panes() const
    {
        return {vertical1, vertical2, verticalDifference, horizontal1, horizontal2, horizontalDifference};
    }
};

CursorStatus CursorStatusTexts(const Document& document, RulerUnit unit);

// Rows for labels spanning [left, right) pixels laid out in order: each label takes the
// first row where it overlaps no earlier label.
std::vector<int> StackLabels(const std::vector<std::pair<int, int>>& spans);

} // namespace zarva
