#include "gui/app/StatusBarController.h"

#include "gui/app/Texts.h"

#include <QLabel>
#include <QStatusBar>

namespace zarva::gui {
namespace {

const char* const kIndicators[] = {"EXT", "CAP", "NUM", "SCRL", "OVR", "REC"};

} // namespace

StatusBarController::StatusBarController(QStatusBar& bar) : QObject(&bar), bar_(bar)
{
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
