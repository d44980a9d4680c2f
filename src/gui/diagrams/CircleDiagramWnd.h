#pragma once

#include "gui/diagrams/PlaneDiagramWnd.h"

namespace zarva::gui {

// The impedance plane: trajectories of complex impedance and power channels and of
// resistance pairs over the sample range, under the zones of the chosen relay block.
class CircleDiagramWnd : public PlaneDiagramWnd {
    Q_OBJECT
public:
    explicit CircleDiagramWnd(QWidget* parent = nullptr);

protected:
    std::vector<Trajectory> Trajectories(const Oscillogram& record, SampleRange range,
                                         std::int64_t cursor) const override;
    PlaneScene Scene(const PlaneLayout& layout, const std::vector<Trajectory>& trajectories,
                     const Oscillogram& record) const override;
    QString ValueText(const Trajectory& trajectory) const override;
    void FillValueEntries(QMenu& menu) override;
};

} // namespace zarva::gui
