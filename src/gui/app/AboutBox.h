#pragma once

#include <QString>

class QWidget;

namespace zarva::gui {

// The program, its version and the libraries it is built on with their licences.
QString AboutText();
void ShowAboutBox(QWidget* parent);

} // namespace zarva::gui
