#include "gui/app/RibbonBar.h"

#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Icons.h"
#include "gui/app/RibbonLayout.h"
#include "gui/app/Texts.h"

#include <QAction>
#include <algorithm>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;
constexpr int kSmallRows = 3;

const char* const kRibbonStyle = R"(
#Ribbon { background: #f3f6fa; border-bottom: 1px solid #b8c4d6; }
#RibbonTabRow { background: #dde6f1; }
#RibbonFileButton { background: #2b6cb0; color: white; font-weight: bold; border: none; padding: 4px 16px; }
#RibbonFileButton:hover { background: #3182ce; }
#RibbonFileButton::menu-indicator { image: none; width: 0; }
QTabBar#RibbonTabs::tab { padding: 4px 14px; margin-top: 3px; color: #1a365d; border: 1px solid transparent; }
QTabBar#RibbonTabs::tab:selected { background: #f3f6fa; border: 1px solid #b8c4d6; border-bottom-color: #f3f6fa; }
QTabBar#RibbonTabs::tab:hover:!selected { background: #e9eff7; }
#RibbonPanel { border: 1px solid #c9d3e0; border-radius: 3px;
               background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfeff, stop:1 #eaf0f7); }
#RibbonPanelTitle { color: #4a5568; background: #dfe7f1; padding: 1px 4px; border-top: 1px solid #c9d3e0; }
#RibbonPages QToolButton { border: 1px solid transparent; border-radius: 2px; padding: 1px 2px; color: #1f2933; }
#RibbonPages QToolButton:hover { background: #fdeeb5; border-color: #e8c45f; }
#RibbonPages QToolButton:pressed, #RibbonPages QToolButton:checked { background: #fbd98a; border-color: #d6a62a; }
#RibbonPages QToolButton:disabled { color: #a0aab8; }
#RibbonWindowsButton { padding: 2px 8px; color: #1a365d; }
)";

// A large button's label wraps at the blank nearest its middle, as the two-line labels of
// the table ("Дифферен циальная") intend.
QString TwoLineLabel(QString label)
{
    label.remove(QLatin1Char('&'));
    if (label.endsWith(QLatin1String("...")))
        label.chop(3);
    qsizetype best = -1;
    for (qsizetype i = label.indexOf(QLatin1Char(' ')); i >= 0; i = label.indexOf(QLatin1Char(' '), i + 1)) {
        if (best < 0 || qAbs(i - label.size() / 2) < qAbs(best - label.size() / 2))
            best = i;
    }
    if (best >= 0)
        label[best] = QLatin1Char('\n');
    return label;
}

QToolButton* MakeButton(QWidget* parent, bool large)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    if (large) {
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kLargeIcon, kLargeIcon));
        button->setMinimumWidth(52);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    } else {
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(kSmallIcon, kSmallIcon));
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    return button;
}

} // namespace

// One titled group of buttons. A column of small buttons can drop its labels when the
// category is wider than the window.
class RibbonPanelWidget : public QFrame {
public:
    RibbonPanelWidget(const QString& title, QWidget* parent) : QFrame(parent)
    {
        setObjectName(QStringLiteral("RibbonPanel"));
        auto* outer = new QVBoxLayout(this);
        outer->setContentsMargins(3, 2, 3, 1);
        outer->setSpacing(0);
        grid_ = new QGridLayout;
        grid_->setHorizontalSpacing(1);
        grid_->setVerticalSpacing(0);
        outer->addLayout(grid_, 1);
        auto* caption = new QLabel(title, this);
        caption->setObjectName(QStringLiteral("RibbonPanelTitle"));
        caption->setAlignment(Qt::AlignCenter);
        outer->addWidget(caption);
    }

    void AddLarge(QToolButton* button) { grid_->addWidget(button, 0, column_++, kSmallRows, 1); }

    void AddSmall(const std::vector<QToolButton*>& buttons)
    {
        for (int row = 0; row < static_cast<int>(buttons.size()); ++row)
            grid_->addWidget(buttons[static_cast<std::size_t>(row)], row, column_, Qt::AlignLeft);
        smallColumns_.push_back(buttons);
        ++column_;
    }

    std::size_t SmallColumnCount() const { return smallColumns_.size(); }

    int LabelWidth(std::size_t column) const
    {
        int widest = 0;
        for (const QToolButton* button : smallColumns_[column])
            widest = std::max(widest, button->fontMetrics().horizontalAdvance(button->text()));
        return widest;
    }

    void SetCompact(std::size_t column, bool compact)
    {
        for (QToolButton* button : smallColumns_[column])
            button->setToolButtonStyle(compact ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
        grid_->invalidate();
        layout()->invalidate();
    }

private:
    QGridLayout* grid_;
    std::vector<std::vector<QToolButton*>> smallColumns_;
    int column_ = 0;
};

RibbonBar::RibbonBar(CommandActions& actions, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Ribbon"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromLatin1(kRibbonStyle));
    BuildApplicationMenu(actions);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildTabRow(actions));
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("RibbonPages"));
    for (int category = 0; category < static_cast<int>(RibbonLayout().size()); ++category)
        pages_->addWidget(BuildCategoryPage(actions, category));
    layout->addWidget(pages_);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        pages_->setCurrentIndex(index);
        emit commandsAboutToShow();
        FitPanels();
    });
}

QWidget* RibbonBar::BuildTabRow(CommandActions& actions)
{
    auto* row = new QWidget(this);
    row->setObjectName(QStringLiteral("RibbonTabRow"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(2);

    fileButton_ = new QToolButton(row);
    fileButton_->setObjectName(QStringLiteral("RibbonFileButton"));
    fileButton_->setText(Tr(ribbon_text::kFileMenu));
    fileButton_->setPopupMode(QToolButton::InstantPopup);
    fileButton_->setMenu(applicationMenu_);
    fileButton_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(fileButton_);

    tabs_ = new QTabBar(row);
    tabs_->setObjectName(QStringLiteral("RibbonTabs"));
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->setFocusPolicy(Qt::NoFocus);
    tabs_->setUsesScrollButtons(false);
    for (const RibbonCategory& category : RibbonLayout())
        tabs_->addTab(Tr(category.titleId));
    layout->addWidget(tabs_);
    layout->addStretch(1);

    windowMenu_ = new QMenu(row);
    for (const int command : {cmd::kWindowCascade, cmd::kWindowTile, cmd::kWindowTabs, cmd::kWindowNext,
                              cmd::kWindowPrevious})
        windowMenu_->addAction(actions.Action(command));
    connect(windowMenu_, &QMenu::aboutToShow, this, &RibbonBar::commandsAboutToShow);
    auto* windows = new QToolButton(row);
    windows->setObjectName(QStringLiteral("RibbonWindowsButton"));
    windows->setText(Tr(text::kWindowsMenu));
    windows->setPopupMode(QToolButton::InstantPopup);
    windows->setAutoRaise(true);
    windows->setMenu(windowMenu_);
    windows->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(windows);
    return row;
}

void RibbonBar::BuildApplicationMenu(CommandActions& actions)
{
    applicationMenu_ = new QMenu(this);
    applicationMenu_->setObjectName(QStringLiteral("ApplicationMenu"));
    for (const AppMenuItem& item : ApplicationMenuLayout()) {
        switch (item.kind) {
        case AppMenuItem::Kind::Command:
            applicationMenu_->addAction(actions.Action(item.command, item.labelId));
            break;
        case AppMenuItem::Kind::Separator:
            applicationMenu_->addSeparator();
            break;
        case AppMenuItem::Kind::PrintMenu: {
            QMenu* print = applicationMenu_->addMenu(CommandIcon(cmd::kPrint), Tr(ribbon_text::kPrintMenu));
            for (const RibbonButton& entry : PrintMenuLayout())
                print->addAction(actions.Action(entry.command, entry.labelId));
            connect(print, &QMenu::aboutToShow, this, &RibbonBar::commandsAboutToShow);
            break;
        }
        case AppMenuItem::Kind::RecentList:
            recentMenu_ = applicationMenu_->addMenu(Tr(ribbon_text::kRecentDocuments));
            break;
        }
    }
    connect(applicationMenu_, &QMenu::aboutToShow, this, &RibbonBar::commandsAboutToShow);
}

QWidget* RibbonBar::BuildCategoryPage(CommandActions& actions, int category)
{
    auto* page = new QWidget(pages_);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    std::vector<RibbonPanelWidget*> panels;
    for (const RibbonPanel& panel : RibbonLayout()[static_cast<std::size_t>(category)].panels) {
        auto* widget = new RibbonPanelWidget(Tr(panel.titleId), page);
        for (const RibbonColumn& column : panel.columns) {
            std::vector<QToolButton*> buttons;
            for (const RibbonButton& entry : column.buttons) {
                QToolButton* button = MakeButton(widget, column.large);
                if (entry.command == kStyleMenuButton) {
                    styleMenu_ = new QMenu(button);
                    button->setMenu(styleMenu_);
                    button->setPopupMode(QToolButton::InstantPopup);
                    button->setText(Tr(entry.labelId));
                    button->setIcon(StyleIcon());
                    button->setToolTip(Tr(ribbon_text::kStyleTip));
                    button->setStatusTip(Tr(ribbon_text::kStyleDescription));
                } else {
                    QAction* action = actions.Action(entry.command, entry.labelId);
                    if (column.large)
                        action->setIconText(TwoLineLabel(action->text()));
                    button->setDefaultAction(action);
                    buttons_.emplace(entry.command, button);
                }
                buttons.push_back(button);
            }
            if (column.large)
                widget->AddLarge(buttons.front());
            else
                widget->AddSmall(buttons);
        }
        layout->addWidget(widget);
        panels.push_back(widget);
    }
    layout->addStretch(1);
    panels_.push_back(std::move(panels));
    return page;
}

QToolButton* RibbonBar::ButtonOf(int command) const
{
    const auto found = buttons_.find(command);
    return found == buttons_.end() ? nullptr : found->second;
}

int RibbonBar::CategoryCount() const
{
    return tabs_->count();
}

void RibbonBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitPanels();
}

// Columns of small buttons lose their labels, the widest labels first, until the category
// fits the window.
void RibbonBar::FitPanels()
{
    const int index = pages_->currentIndex();
    if (index < 0)
        return;
    const auto& panels = panels_[static_cast<std::size_t>(index)];
    const QLayout* layout = pages_->currentWidget()->layout();
    const auto requiredWidth = [&] {
        int required = layout->contentsMargins().left() + layout->contentsMargins().right();
        for (const RibbonPanelWidget* panel : panels)
            required += panel->sizeHint().width() + layout->spacing();
        return required;
    };
    std::vector<std::pair<RibbonPanelWidget*, std::size_t>> columns;
    for (RibbonPanelWidget* panel : panels) {
        for (std::size_t column = 0; column < panel->SmallColumnCount(); ++column) {
            panel->SetCompact(column, false);
            columns.emplace_back(panel, column);
        }
    }
    std::stable_sort(columns.begin(), columns.end(), [](const auto& a, const auto& b) {
        return a.first->LabelWidth(a.second) > b.first->LabelWidth(b.second);
    });
    for (const auto& [panel, column] : columns) {
        if (requiredWidth() <= width())
            break;
        panel->SetCompact(column, true);
    }
}

} // namespace zarva::gui
