#pragma once

#include <QFrame>

class QLabel;

namespace zarva::gui {

// A slim line over the documents for outcomes that need no acknowledgement, such as the
// warnings of a record that was read nonetheless. Hidden until there is something to say.
class CaptionBar : public QFrame {
    Q_OBJECT
public:
    explicit CaptionBar(QWidget* parent);

    // A message about `subject` goes away with it.
    void ShowMessage(const QString& text, const QObject* subject = nullptr);

private:
    QLabel* text_;
    QMetaObject::Connection subjectGone_;
};

} // namespace zarva::gui
