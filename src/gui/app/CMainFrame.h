#pragma once

#include "gui/app/CommandRouter.h"
#include "gui/app/CommandTarget.h"

#include <QList>
#include <QMainWindow>

#include <memory>
#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMimeData;

namespace zarva::gui {

class CaptionBar;
class CChildFrame;
class CommandActions;
class CZarvaApp;
class CZarvaDoc;
class DiagramPanes;
class MergeBar;
class RecordParametersPane;
class RibbonBar;
class StatusBarController;

// The main window: the ribbon, the document windows, the caption bar and the status bar.
// It builds the routing chain of every command and keeps the commands' states current.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    explicit CMainFrame(CZarvaApp& app);
    ~CMainFrame() override;

    CChildFrame* AddDocument(std::unique_ptr<CZarvaDoc> document);
    CChildFrame* ActiveChild() const;
    std::vector<CChildFrame*> Children() const;
    CChildFrame* ChildShowing(const QString& path) const;
    // Opens the local files among dropped data once the drop is over.
    void OpenDropped(const QMimeData& dropped);
    // Asks every document; false when one of them stays open.
    bool CloseAllDocuments();

    const CommandRouter& Router() const { return router_; }
    CommandActions& Actions() const { return *actions_; }
    RibbonBar& Ribbon() const { return *ribbon_; }
    CaptionBar& Caption() const { return *caption_; }
    StatusBarController& Status() const { return *status_; }
    RecordParametersPane& Parameters() const { return *parameters_; }
    DiagramPanes& Diagrams() const { return *diagrams_; }
    MergeBar& Merging() const { return *mergeBar_; }

    // Asks every command's handler for its state now; ScheduleRefresh does it once the
    // current event is done.
    void RefreshCommandStates();
    void ScheduleRefresh();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::vector<CommandTarget*> RoutingChain() const;
    // The window list and the panes beside the documents.
    QWidget* BuildCentre();
    void ConnectMenusAndPanes();
    void FillRecentMenu();
    void RegisterWindowCommands();
    void FillWindowMenu();
    void FillStyleMenu();
    void UpdateTitle();

    CZarvaApp& app_;
    CommandRouter router_;
    CommandActions* actions_;
    RibbonBar* ribbon_;
    QMdiArea* documents_;
    CaptionBar* caption_;
    StatusBarController* status_;
    RecordParametersPane* parameters_;
    DiagramPanes* diagrams_;
    MergeBar* mergeBar_;
    QList<QAction*> windowEntries_;  // the document list at the end of the window menu
    bool refreshScheduled_ = false;
};

} // namespace zarva::gui
