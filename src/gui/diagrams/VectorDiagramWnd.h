#pragma once

#include "gui/diagrams/DiagramWnd.h"

#include "gui/diagrams/VectorDiagramPainter.h"

#include "core/diagrams/VectorChart.h"

class QAction;
class QToolBar;
class QToolButton;

namespace zarva::gui {

// The vector diagram: the first-harmonic phasors of the chosen voltage and current channels at
// cursor 1 as arrows on a polar grid, with their scales and a legend.
class VectorDiagramWnd : public DiagramWnd {
    Q_OBJECT
public:
    explicit VectorDiagramWnd(QWidget* parent = nullptr);

    const VectorChartSettings& Settings() const { return settings_; }
    // The pane's tool bar: the channels and angle reference menus and the two toggles.
    QToolBar* CreateToolBar(QWidget* parent);

    void DrawDiagram(QPainter& painter, const QRect& rect, bool screen, const QFont& font,
                     const Oscillogram& record) override;
    // Where the screen picture at `size` puts the scale box, the legend and the circle.
    VectorLayout LayoutAt(QSize size) const;

    void FillAngleMenu(QMenu& menu);

protected:
    void ReadSettings(CZarvaDoc& document) override;
    void FillOwnMenu(QMenu& menu) override;

private:
    void RegisterCommands();
    // Angle reference commands for every channel of the record, before a menu lists them.
    void RegisterAngleCommands();
    void ChangeSettings(void (*change)(VectorChartSettings&));
    void ChangeAngleReference(std::string name);
    void ShowSettings();
    void PopUp(void (VectorDiagramWnd::*fill)(QMenu&), QToolButton* button);

    VectorChartSettings settings_;
    std::size_t registeredAngles_ = 0;
    QToolButton* channelsButton_ = nullptr;
    QToolButton* angleButton_ = nullptr;
    QAction* showValuesAction_ = nullptr;
    QAction* onlyDirectionAction_ = nullptr;
};

} // namespace zarva::gui
