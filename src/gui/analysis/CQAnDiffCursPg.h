#pragma once

#include "gui/analysis/CQAnPropPg.h"

#include "core/analysis/DifferentialPage.h"

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QSpinBox;

namespace zarva::gui {

// "Дифференциальные токи": two or three legs, each reduced to the common base and
// compensated for its vector group, then the differential and braking currents per phase.
class CQAnDiffCursPg : public CQAnPropPg {
    Q_OBJECT
public:
    CQAnDiffCursPg(CZarvaDoc& document, QWidget* parent);
    void Plan(FormulaPlan& plan) override;
    // The differential diagram draws the pairs just made without being asked.
    void Calculated() override;

private:
    struct LegControls {
        QGroupBox* group;
        std::array<QComboBox*, 3> currents;
        QComboBox* reduction;
        QDoubleSpinBox *coefficient, *power, *voltage, *nominalCurrent;
        QSpinBox* vectorGroup;
        QCheckBox* removeZero;
    };
    LegControls AddLeg(int index, DifferentialLeg& leg);
    void UpdateStates();
    void Read(const LegControls& controls, DifferentialLeg& leg) const;

    DifferentialChoices choices_;
    std::array<LegControls, DifferentialChoices::kMaxLegs> legs_;
    QCheckBox* threeLegs_;
    QDoubleSpinBox* brakingFactor_;
    std::vector<ChannelPair> planned_;
};

} // namespace zarva::gui
