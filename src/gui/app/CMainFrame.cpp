#include "gui/app/CMainFrame.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CZarvaApp.h"
#include "gui/app/CZarvaDoc.h"
#include "gui/app/CaptionBar.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Icons.h"
#include "gui/app/RecentFiles.h"
#include "gui/app/RecordParametersPane.h"
#include "gui/app/RibbonBar.h"
#include "gui/app/StatusBarController.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramPanes.h"
#include "gui/merge/MergeBar.h"
#include "gui/view/CZarvaView.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

QStringList LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

CMainFrame::CMainFrame(CZarvaApp& app)
    : app_(app), router_([this] { return RoutingChain(); })
{
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    actions_ = new CommandActions(router_, this);
    ribbon_ = new RibbonBar(*actions_, this);
    setMenuWidget(ribbon_);
    for (const auto& [command, action] : actions_->Actions())
        addAction(action);
    setCentralWidget(BuildCentre());
    status_ = new StatusBarController(*statusBar());
    parameters_ = new RecordParametersPane(this);
    addDockWidget(Qt::LeftDockWidgetArea, parameters_);
    parameters_->hide();
    diagrams_ = new DiagramPanes(*this, *this);
    mergeBar_ = new MergeBar(*actions_, this);
    addDockWidget(Qt::TopDockWidgetArea, mergeBar_);
    mergeBar_->hide();

    RegisterWindowCommands();
    FillStyleMenu();
    ConnectMenusAndPanes();
    FillRecentMenu();
    UpdateTitle();
    RefreshCommandStates();
}

CMainFrame::~CMainFrame() = default;

// The caption bar above the tabs of the open records.
QWidget* CMainFrame::BuildCentre()
{
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    caption_ = new CaptionBar(centre);
    layout->addWidget(caption_);
    documents_ = new QMdiArea(centre);
    documents_->setViewMode(QMdiArea::TabbedView);
    documents_->setDocumentMode(true);
    documents_->setTabsClosable(true);
    documents_->setTabsMovable(true);
    documents_->setBackground(QColor(0xc9, 0xd3, 0xe0));
    layout->addWidget(documents_, 1);
    return centre;
}

void CMainFrame::ConnectMenusAndPanes()
{
    connect(ribbon_, &RibbonBar::commandsAboutToShow, this, &CMainFrame::RefreshCommandStates);
    connect(&app_.Recent(), &RecentFiles::changed, this, &CMainFrame::FillRecentMenu);
    connect(ribbon_->WindowMenu(), &QMenu::aboutToShow, this, &CMainFrame::FillWindowMenu);
    connect(actions_, &CommandActions::commandRouted, this, &CMainFrame::ScheduleRefresh);
    connect(documents_, &QMdiArea::subWindowActivated, this, [this] {
        mergeBar_->ShowDocument(ActiveChild() != nullptr ? &ActiveChild()->Document() : nullptr);
        UpdateTitle();
        ScheduleRefresh();
    });
    connect(parameters_, &QDockWidget::visibilityChanged, this, &CMainFrame::ScheduleRefresh);
    connect(diagrams_, &DiagramPanes::visibilityChanged, this, &CMainFrame::ScheduleRefresh);
}

void CMainFrame::FillRecentMenu()
{
    app_.Recent().FillMenu(*ribbon_->RecentMenu(), [this](const QString& path) { app_.OpenRecentFile(path); });
}

std::vector<CommandTarget*> CMainFrame::RoutingChain() const
{
    std::vector<CommandTarget*> chain;
    if (CChildFrame* child = ActiveChild()) {
        chain.push_back(&child->View());
        chain.push_back(&child->Document());
        chain.push_back(child);
    }
    chain.push_back(const_cast<CMainFrame*>(this));
    chain.push_back(&app_);
    return chain;
}

CChildFrame* CMainFrame::AddDocument(std::unique_ptr<CZarvaDoc> document)
{
    auto* child = new CChildFrame(std::move(document));
    documents_->addSubWindow(child);
    connect(&child->Document(), &CZarvaDoc::modifiedChanged, this, &CMainFrame::ScheduleRefresh);
    connect(&child->Document(), &CZarvaDoc::cursorsChanged, this, &CMainFrame::ScheduleRefresh);
    const auto showRecord = [this, child] {
        if (child == ActiveChild()) {
            parameters_->ShowRecord(&child->Document());
            mergeBar_->Refill();
        }
        ScheduleRefresh();
    };
    connect(&child->Document(), &CZarvaDoc::recordChanged, this, showRecord);
    connect(&child->Document(), &CZarvaDoc::selectionChanged, this, showRecord);
    connect(&child->View(), &CZarvaView::statusTextsChanged, this, [this, child] {
        if (child == ActiveChild())
            status_->SetCursorTexts(child->View().StatusTexts());
    });
    connect(&child->Document(), &CZarvaDoc::curveSurveyProgress, this, [this, child](int percent) {
        if (child == ActiveChild())
            statusBar()->showMessage(Tr(text::kSurveyingCurves, QString::number(percent)));
    });
    connect(&child->Document(), &CZarvaDoc::curvesSurveyed, statusBar(), &QStatusBar::clearMessage);
    connect(&child->Document(), &CZarvaDoc::titleChanged, this, &CMainFrame::UpdateTitle);
    connect(child, &QObject::destroyed, this, [this] {
        UpdateTitle();
        ScheduleRefresh();
    });
    child->showMaximized();
    documents_->setActiveSubWindow(child);
    UpdateTitle();
    ScheduleRefresh();
    return child;
}

CChildFrame* CMainFrame::ActiveChild() const
{
    return qobject_cast<CChildFrame*>(documents_->currentSubWindow());
}

std::vector<CChildFrame*> CMainFrame::Children() const
{
    std::vector<CChildFrame*> children;
    for (QMdiSubWindow* window : documents_->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(window))
            children.push_back(child);
    }
    return children;
}

CChildFrame* CMainFrame::ChildShowing(const QString& path) const
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    for (CChildFrame* child : Children()) {
        if (!wanted.isEmpty() && QFileInfo(child->Document().Path()).canonicalFilePath() == wanted)
            return child;
    }
    return nullptr;
}

bool CMainFrame::CloseAllDocuments()
{
    for (CChildFrame* child : Children()) {
        if (!child->close())
            return false;
    }
    return true;
}

void CMainFrame::ScheduleRefresh()
{
    if (refreshScheduled_)
        return;
    refreshScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshScheduled_ = false;
        RefreshCommandStates();
    });
}

void CMainFrame::RefreshCommandStates()
{
    actions_->RefreshStates();
}

void CMainFrame::RegisterWindowCommands()
{
    const auto someWindows = [this](std::size_t atLeast) {
        return [this, atLeast] { return CommandState{Children().size() >= atLeast}; };
    };
    OnCommand(cmd::kWindowCascade, [this] {
        documents_->setViewMode(QMdiArea::SubWindowView);
        documents_->cascadeSubWindows();
    }, someWindows(1));
    OnCommand(cmd::kWindowTile, [this] {
        documents_->setViewMode(QMdiArea::SubWindowView);
        documents_->tileSubWindows();
    }, someWindows(1));
    OnCommand(cmd::kWindowTabs, [this] {
        const bool tabbed = documents_->viewMode() == QMdiArea::TabbedView;
        documents_->setViewMode(tabbed ? QMdiArea::SubWindowView : QMdiArea::TabbedView);
    }, [this] { return CommandState{true, true, documents_->viewMode() == QMdiArea::TabbedView}; });
    OnCommand(cmd::kParameterBar, [this] { parameters_->setVisible(!parameters_->isVisible()); },
              [this] { return CommandState{true, true, parameters_->isVisible()}; });
    OnCommand(cmd::kWindowNext, [this] { documents_->activateNextSubWindow(); }, someWindows(2));
    OnCommand(cmd::kWindowPrevious, [this] { documents_->activatePreviousSubWindow(); }, someWindows(2));
}

void CMainFrame::FillWindowMenu()
{
    QMenu* menu = ribbon_->WindowMenu();
    qDeleteAll(windowEntries_);
    windowEntries_.clear();
    const std::vector<CChildFrame*> children = Children();
    if (!children.empty())
        windowEntries_.append(menu->addSeparator());
    int number = 1;
    for (CChildFrame* child : children) {
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(number++ % 10).arg(child->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(child == ActiveChild());
        connect(entry, &QAction::triggered, this, [this, child] { documents_->setActiveSubWindow(child); });
        windowEntries_.append(entry);
    }
}

void CMainFrame::FillStyleMenu()
{
    QMenu* menu = ribbon_->StyleMenu();
    auto* group = new QActionGroup(menu);
    const QString current = QApplication::style()->name();
    for (const QString& name : QStyleFactory::keys()) {
        QAction* entry = menu->addAction(name);
        entry->setCheckable(true);
        entry->setChecked(name.compare(current, Qt::CaseInsensitive) == 0);
        group->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, name] { app_.SetWidgetStyle(name); });
    }
}

void CMainFrame::UpdateTitle()
{
    const CChildFrame* child = ActiveChild();
    parameters_->ShowRecord(child != nullptr ? &child->Document() : nullptr);
    status_->SetCursorTexts(child != nullptr ? child->View().StatusTexts() : QStringList());
    diagrams_->ShowDocument(child != nullptr ? &child->Document() : nullptr);
    const QString application = Tr(text::kAppName);
    setWindowTitle(child != nullptr ? child->Document().Title() + QStringLiteral(" - ") + application : application);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    OpenDropped(*event->mimeData());
    event->acceptProposedAction();
}

void CMainFrame::OpenDropped(const QMimeData& dropped)
{
    // Opening runs its own dialogs: the drop ends first.
    QTimer::singleShot(0, this, [this, files = LocalFiles(&dropped)] {
        for (const QString& file : files)
            app_.OpenDocumentFile(file);
    });
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!CloseAllDocuments()) {
        event->ignore();
        return;
    }
    app_.SaveState();
    QMainWindow::closeEvent(event);
}

} // namespace zarva::gui
