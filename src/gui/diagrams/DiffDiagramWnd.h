#pragma once

#include "gui/diagrams/PlaneDiagramWnd.h"

namespace zarva::gui {

// The differential protection's plane: braking current to the right, differential current
// upward, for the current pairs over the sample range, under the chosen block's bias
// characteristics.
class DiffDiagramWnd : public PlaneDiagramWnd {
    Q_OBJECT
public:
    explicit DiffDiagramWnd(QWidget* parent = nullptr);

protected:
    std::vector<Trajectory> Trajectories(const Oscillogram& record, SampleRange range,
                                         std::int64_t cursor) const override;
    PlaneScene Scene(const PlaneLayout& layout, const std::vector<Trajectory>& trajectories,
                     const Oscillogram& record) const override;
    QString ValueText(const Trajectory& trajectory) const override;
    void FillValueEntries(QMenu& menu) override;
};

} // namespace zarva::gui
