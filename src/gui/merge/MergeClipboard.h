#pragma once

#include <QString>

#include <optional>
#include <string>

class QMimeData;

namespace zarva::gui {

// The private clipboard format of copied channels, under the name Windows registers it by.
QString MergeMimeType();

// The clipboard data of a clipboard text: UTF-16LE units and a closing zero unit.
QMimeData* MergeMimeData(const std::string& utf8);
// The text the data carries, if it carries the format.
std::optional<std::string> MergeText(const QMimeData* data);

} // namespace zarva::gui
