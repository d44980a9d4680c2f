#pragma once

#include "core/document/RecordLoader.h"

#include <QString>

#include <filesystem>
#include <functional>

class QWidget;

namespace zarva {
class Document;
}

namespace zarva::gui {

struct LoadRequest {
    std::filesystem::path loadPath;
    ReadOptions options;
    const RecordReaders* readers = nullptr;
    bool showProgress = false;   // run the modal progress dialog meanwhile
    QWidget* dialogParent = nullptr;
    std::function<void(const QString&)> reportError;  // called on the loading thread
};

// Reads a record on a loading thread while the interface waits, under the modal dialog
// "Загрузка осциллограммы" when asked: its bar follows the document's progress every
// 500 ms and its "Отмена" sets the cancel flag. True when the reader ran to its end
// without an error; the caller still checks the cancel flag.
bool LoadOnThread(Document& document, const LoadRequest& request);

} // namespace zarva::gui
