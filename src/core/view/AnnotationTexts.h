#pragma once

#include "core/document/Annotations.h"

#include <string>

namespace zarva {

class Oscillogram;

// The text of an item's comment box: the comment, then what the item marks: a moment's date,
// time of day and offset from the record's first sample, a level's value with its channel's
// unit, an area's duration.
std::string DisplayText(const Annotation& item, const Oscillogram& record);

// The captions of an item's menu entries that name its kind or state.
struct AnnotationMenuTexts {
    std::string remove;
    std::string lock;     // locks, or unlocks a locked item
    std::string comment;  // hides, or shows a hidden comment
};
AnnotationMenuTexts MenuTexts(const Annotation& item);

} // namespace zarva
