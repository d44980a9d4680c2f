#include "gui/app/ErrorReporter.h"

#include "gui/app/Texts.h"

#include <QMessageBox>
#include <QTimer>
#include <QWidget>

namespace zarva::gui {
namespace {

constexpr int kWaitSteps = 100;
constexpr int kWaitStepMs = 100;

} // namespace

ErrorReporter::ErrorReporter(std::function<QWidget*()> mainWindow, QObject* parent)
    : QObject(parent), mainWindow_(std::move(mainWindow)), presenter_(&ErrorReporter::ShowMessageBox)
{
}

void ErrorReporter::Post(const QString& text)
{
    QMetaObject::invokeMethod(this, [this, text] { Show(text, 0); }, Qt::QueuedConnection);
}

void ErrorReporter::Show(const QString& text, int attempt)
{
    QWidget* window = mainWindow_();
    const bool ready = window != nullptr && window->isVisible();
    if (!ready && attempt < kWaitSteps) {
        QTimer::singleShot(kWaitStepMs, this, [this, text, attempt] { Show(text, attempt + 1); });
        return;
    }
    presenter_(ready ? window : nullptr, text);
}

void ErrorReporter::ShowMessageBox(QWidget* window, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, Tr(text::kAppName), text, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

} // namespace zarva::gui
