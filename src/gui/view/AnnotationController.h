#pragma once

#include "core/document/Annotations.h"
#include "core/view/AnnotationGeometry.h"
#include "core/view/ViewState.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

class QLineEdit;

namespace zarva::gui {

class CZarvaView;
class CommandTarget;

// How the oscillogram view's mouse and commands reach the record's annotations: the tools
// that make them, presses that pick and drag them, their menu, the comment dialog and the
// in-place editor of a level's value. The numbers come from the core (AnnotationGeometry).
class AnnotationController : public QObject {
    Q_OBJECT
public:
    // `disarmZoom` ends the vertical-zoom tool when an annotation tool is chosen.
    AnnotationController(CZarvaView& view, std::function<void()> disarmZoom);

    // The tool commands and the commands on the picked item.
    void RegisterCommands(CommandTarget& target);

    // A press in the plot area that no cursor took: picks the item under it, or makes one with
    // the armed tool, which also keeps the cursors where they are. The mouse mode that
    // follows; none when the press is left to the cursors.
    std::optional<MouseMode> Press(const QPoint& at, bool leftButton);
    // The mouse with the button held in modes 9 and 10; nothing moves left of the plot.
    void Drag(const QPoint& at);
    // Ends a drag; a moved item marks the record modified.
    void Release();
    // The mouse without a button: the item under it is drawn thicker.
    void Hover(const QPoint& at);
    // The comment dialog of the item under the point; false when there is none.
    bool DoubleClick(const QPoint& at);
    // The menu of the item under the point; false when there is none.
    bool ShowMenu(const QPoint& at);

    // What the menu commands do to the picked item; nothing without one.
    void EditComment();
    void ToggleLocked();
    void RemovePicked();
    void ToggleComment();
    void EditLevel();

    QLineEdit* LevelEditor() const { return levelEditor_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct DragState {
        std::size_t index = 0;
        AnnotationGrip grip = AnnotationGrip::Body;
        PixelPoint press;
        Annotation original;
    };

    AnnotationFrame Frame() const;
    Annotations& List() const;
    bool ToolsAvailable() const;
    void ChooseTool(AnnotationTool tool);
    // Applies a change to a copy of the picked item and keeps it.
    void ChangePicked(const std::function<void(Annotation&)>& change);
    void Changed();
    void Repaint() const;
    void FinishLevelEdit(bool confirmed);

    CZarvaView& view_;
    std::function<void()> disarmZoom_;
    std::optional<DragState> drag_;
    QLineEdit* levelEditor_ = nullptr;
    std::optional<std::size_t> editedLevel_;
};

} // namespace zarva::gui
