#pragma once

#include <QString>

namespace zarva::gui {

class CZarvaView;
struct ScreenshotView;

// Puts the view into the state a screenshot asks for; the text of what failed, or empty.
QString ApplyScreenshotView(CZarvaView& view, const ScreenshotView& options);

} // namespace zarva::gui
