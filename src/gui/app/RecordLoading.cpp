#include "gui/app/RecordLoading.h"

#include "gui/app/Texts.h"

#include "core/document/Document.h"

#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

namespace zarva::gui {
namespace {

constexpr int kPollMs = 500;

std::unique_ptr<QProgressDialog> MakeProgressDialog(Document& document, const LoadRequest& request)
{
    auto dialog = std::make_unique<QProgressDialog>(
        QString::fromStdString(request.loadPath.filename().string()), Tr(text::kCancel), 0, 100,
        request.dialogParent);
    dialog->setWindowTitle(Tr(text::kLoadingRecord));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->setMinimumWidth(360);
    auto* timer = new QTimer(dialog.get());
    QObject::connect(timer, &QTimer::timeout, dialog.get(),
                     [&document, bar = dialog.get()] { bar->setValue(document.progress.Percent()); });
    timer->start(kPollMs);
    return dialog;
}

} // namespace

bool LoadOnThread(Document& document, const LoadRequest& request)
{
    document.progress.Reset();
    std::unique_ptr<QProgressDialog> dialog;
    if (request.showProgress)
        dialog = MakeProgressDialog(document, request);
    QProgressDialog* const shownDialog = dialog.get();  // lives until the thread is joined

    std::atomic<bool> loaded{false};
    std::thread worker([&] {
        try {
            LoadRecord(document, request.loadPath, request.options, *request.readers);
            loaded = true;
        } catch (const std::exception& error) {
            request.reportError(QString::fromStdString(error.what()));
        } catch (...) {
            request.reportError(Tr(330));
        }
        // The dialog closes as if by its OK button; the call waits in its event queue
        // should the dialog not be running yet.
        if (shownDialog != nullptr)
            QMetaObject::invokeMethod(shownDialog, "accept", Qt::QueuedConnection);
    });
    if (dialog && dialog->exec() != QDialog::Accepted)
        document.progress.RequestCancel();
    worker.join();
    return loaded;
}

} // namespace zarva::gui
