#pragma once

#include <QWidget>

#include <map>
#include <vector>

class QMenu;
class QStackedWidget;
class QTabBar;
class QToolButton;

namespace zarva::gui {

class CommandActions;
class RibbonPanelWidget;

// The ribbon: the "Файл" application button with its menu, a tab bar of categories and,
// under it, the panels of the current category. Built once from RibbonLayout().
class RibbonBar : public QWidget {
    Q_OBJECT
public:
    RibbonBar(CommandActions& actions, QWidget* parent);

    QMenu* ApplicationMenu() const { return applicationMenu_; }
    QMenu* RecentMenu() const { return recentMenu_; }
    QMenu* StyleMenu() const { return styleMenu_; }
    QMenu* WindowMenu() const { return windowMenu_; }
    // The button of a command on the current or any other category; null when absent.
    QToolButton* ButtonOf(int command) const;
    int CategoryCount() const;

signals:
    // A menu or category is about to show its commands: their states must be current.
    void commandsAboutToShow();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* BuildTabRow(CommandActions& actions);
    QWidget* BuildCategoryPage(CommandActions& actions, int category);
    void BuildApplicationMenu(CommandActions& actions);
    void FitPanels();

    QTabBar* tabs_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QToolButton* fileButton_ = nullptr;
    QMenu* applicationMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* styleMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    std::vector<std::vector<RibbonPanelWidget*>> panels_;
    std::map<int, QToolButton*> buttons_;
};

} // namespace zarva::gui
