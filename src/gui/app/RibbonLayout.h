#pragma once

#include <vector>

namespace zarva::gui {

// Where every command sits on the ribbon: pure data, read by RibbonBar.

// The "Стиль" button of the view panel opens a menu rather than routing a command.
constexpr int kStyleMenuButton = 0;

struct RibbonButton {
    int command;
    int labelId = 0;  // 0: the short tip of the command's entry names it
};

// One large button, or a column of up to three small ones.
struct RibbonColumn {
    bool large;
    std::vector<RibbonButton> buttons;
};

struct RibbonPanel {
    int titleId;
    std::vector<RibbonColumn> columns;
};

struct RibbonCategory {
    int titleId;
    std::vector<RibbonPanel> panels;
};

struct AppMenuItem {
    enum class Kind { Command, Separator, PrintMenu, RecentList };
    Kind kind;
    int command = 0;
    int labelId = 0;
};

const std::vector<AppMenuItem>& ApplicationMenuLayout();
const std::vector<RibbonButton>& PrintMenuLayout();
const std::vector<RibbonCategory>& RibbonLayout();

namespace ribbon_text {
constexpr int kFileMenu = 260;
constexpr int kPrintMenu = 267;
constexpr int kRecentDocuments = 272;
constexpr int kStyle = 286;
constexpr int kStyleTip = 287;
constexpr int kStyleDescription = 288;
constexpr int kAddFormula = 4757;
constexpr int kExit = 4767;
constexpr int kDeleteFormula = 4768;
constexpr int kDeleteAllFormulas = 4769;
} // namespace ribbon_text

} // namespace zarva::gui
