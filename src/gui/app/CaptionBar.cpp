#include "gui/app/CaptionBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace zarva::gui {

CaptionBar::CaptionBar(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("CaptionBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    layout->addWidget(icon);
    text_ = new QLabel(this);
    text_->setWordWrap(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text_, 1);
    auto* close = new QToolButton(this);
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    layout->addWidget(close);
    hide();
}

void CaptionBar::ShowMessage(const QString& text, const QObject* subject)
{
    disconnect(subjectGone_);
    text_->setText(text);
    setVisible(!text.isEmpty());
    if (subject != nullptr)
        subjectGone_ = connect(subject, &QObject::destroyed, this, [this] { ShowMessage(QString()); });
}

} // namespace zarva::gui
