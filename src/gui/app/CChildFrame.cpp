#include "gui/app/CChildFrame.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/ChannelListDlg.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Icons.h"
#include "gui/faultloc/LocatorCommands.h"
#include "gui/merge/MergeBar.h"
#include "gui/merge/MergeCommands.h"
#include "gui/view/CZarvaView.h"

#include "core/view/ChannelCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

namespace zarva::gui {

CChildFrame::CChildFrame(std::unique_ptr<CZarvaDoc> document, QWidget* parent)
    : QMdiSubWindow(parent), document_(std::move(document))
{
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new CZarvaView(*document_, this);
    setWidget(view_);
    setWindowIcon(ApplicationIcon());
    // The ribbon's commands own the keyboard (Ctrl+W closes through the document).
    for (QAction* action : systemMenu()->actions())
        action->setShortcuts({});
    connect(document_.get(), &CZarvaDoc::titleChanged, this, &CChildFrame::UpdateTitle);
    connect(document_.get(), &CZarvaDoc::modifiedChanged, this, &CChildFrame::UpdateTitle);
    connect(document_.get(), &CZarvaDoc::closeRequested, this, &QWidget::close, Qt::QueuedConnection);
    RegisterFaultLocationCommands(*document_, *this);
    RegisterMergeBarCommands(*document_, *this, [this] { return window()->findChild<MergeBar*>(); });
    OnCommand(cmd::kChannels, [this] { ChooseChannels(); });
    UpdateTitle();
}

// The view reads the document: it goes first.
CChildFrame::~CChildFrame()
{
    delete view_;
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (!document_->CanClose(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void CChildFrame::ChooseChannels()
{
    ChannelListDlg dialog(document_->Core().oscillogram, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!SetVisibility(document_->Core().oscillogram.channels, dialog.Visibility()))
        return;
    document_->SetModifiedFlag();
    document_->NotifyRecordChanged();
}

void CChildFrame::UpdateTitle()
{
    setWindowTitle(document_->Title() + (document_->IsModified() ? QStringLiteral("*") : QString()));
}

} // namespace zarva::gui
