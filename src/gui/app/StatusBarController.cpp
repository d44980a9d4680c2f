#include "gui/app/StatusBarController.h"

#include "gui/app/Texts.h"

#include <QLabel>
#include <QStatusBar>

namespace zarva::gui {
namespace {

const char* const kIndicators[] = {"EXT", "CAP", "NUM", "SCRL", "OVR", "REC"};
constexpr int kCursorPanes = 6;

} // namespace

StatusBarController::StatusBarController(QStatusBar& bar) : QObject(&bar), bar_(bar)
{
    for (int i = 0; i < kCursorPanes; ++i) {
        auto* pane = new QLabel(&bar_);
        pane->setObjectName(QStringLiteral("CursorPane%1").arg(i));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->hide();
        bar_.addPermanentWidget(pane);
        cursorPanes_.append(pane);
    }
    for (const char* name : kIndicators) {
        auto* pane = new QLabel(QString::fromLatin1(name), &bar_);
        pane->setObjectName(QStringLiteral("Indicator") + QString::fromLatin1(name));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
        bar_.addPermanentWidget(pane);
        SetIndicator(QString::fromLatin1(name), false);
    }
    connect(&bar_, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            bar_.showMessage(Tr(text::kReady));
    });
    bar_.showMessage(Tr(text::kReady));
}

void StatusBarController::SetCursorTexts(const QStringList& texts)
{
    for (qsizetype i = 0; i < cursorPanes_.size(); ++i) {
        cursorPanes_[i]->setText(texts.value(i));
        cursorPanes_[i]->setVisible(i < texts.size());
    }
}

QStringList StatusBarController::CursorTexts() const
{
    QStringList texts;
    for (const QLabel* pane : cursorPanes_) {
        if (pane->isVisibleTo(&bar_))
            texts.append(pane->text());
    }
    return texts;
}

QLabel* StatusBarController::Indicator(const QString& name) const
{
    return bar_.findChild<QLabel*>(QStringLiteral("Indicator") + name);
}

void StatusBarController::SetIndicator(const QString& name, bool on)
{
    if (QLabel* pane = Indicator(name))
        pane->setEnabled(on);
}

} // namespace zarva::gui
