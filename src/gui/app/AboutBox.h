#pragma once

class QWidget;

namespace zarva::gui {

void ShowAboutBox(QWidget* parent);

} // namespace zarva::gui
