#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace zarva::gui {

// Errors of work that runs away from the user's command (the loading thread, start-up)
// reach the user through here: posted to the interface thread, shown over the main window
// once it exists (waiting up to 100 × 100 ms for it), one message box each.
class ErrorReporter : public QObject {
    Q_OBJECT
public:
    using Presenter = std::function<void(QWidget* window, const QString& text)>;

    ErrorReporter(std::function<QWidget*()> mainWindow, QObject* parent);

    // Replaces the message box, e.g. by a line on the error stream.
    void SetPresenter(Presenter presenter) { presenter_ = std::move(presenter); }

    // Safe from any thread.
    void Post(const QString& text);

    static void ShowMessageBox(QWidget* window, const QString& text);

private:
    void Show(const QString& text, int attempt);

    std::function<QWidget*()> mainWindow_;
    Presenter presenter_;
};

} // namespace zarva::gui
