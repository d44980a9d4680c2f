#pragma once

#include <QString>

class QWidget;

namespace zarva::gui {

// File dialogs of fault location, offering the string-table filter `filterId` ("Установки
// ОМП (*.omp)|*.omp|..."). Empty when the user cancels.

// The chosen name gets the first filter's extension when it has none.
QString AskSaveName(QWidget* parent, int filterId, const QString& proposed);
QString AskOpenName(QWidget* parent, int filterId, const QString& folder);

// `recordPath` with its extension replaced by `extension` (".omp"): where a file about the
// record is proposed.
QString BesideRecord(const QString& recordPath, const QString& extension);

} // namespace zarva::gui
