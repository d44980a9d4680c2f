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

    void ShowMessage(const QString& text);

private:
    QLabel* text_;
};

} // namespace zarva::gui
