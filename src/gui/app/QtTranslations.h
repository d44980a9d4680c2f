#pragma once

class QTranslator;

namespace zarva::gui {

// Qt's own texts (standard buttons, file, print and preview dialogs) in Russian while the
// interface is Russian, from the translations installed with Qt. The translator installed,
// owned by the application; null when the interface is English or none is installed.
QTranslator* InstallQtTranslations();

} // namespace zarva::gui
