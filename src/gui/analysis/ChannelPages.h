#pragma once

#include "gui/analysis/CQAnPropPg.h"

#include "core/analysis/ImpedancePages.h"
#include "core/analysis/SymmetricalPages.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QRadioButton;

namespace zarva::gui {

// "Симметричные составляющие".
class CQAnSymmSostPg : public CQAnPropPg {
    Q_OBJECT
public:
    CQAnSymmSostPg(CZarvaDoc& document, QWidget* parent);
    void Plan(FormulaPlan& plan) override;

    QCheckBox& CurrentsOff() const { return *currentsOff_; }
    QCheckBox& VoltagesOff() const { return *voltagesOff_; }
    QCheckBox& CalculateIb() const { return *calculateIb_; }

private:
    void UpdateStates();

    SymmetricalChoices choices_;
    std::array<QComboBox*, 3> currents_, voltages_;
    QComboBox *residual_, *uab_, *ubc_;
    QCheckBox *currentsOff_, *voltagesOff_, *calculateIb_;
    QRadioButton *phaseVoltages_, *lineVoltages_;
};

// "Нулевая последовательность".
class CQAnNullPoslPg : public CQAnPropPg {
    Q_OBJECT
public:
    CQAnNullPoslPg(CZarvaDoc& document, QWidget* parent);
    void Plan(FormulaPlan& plan) override;

private:
    void UpdateStates();

    ZeroSequenceChoices choices_;
    std::array<QComboBox*, 3> currents_, voltages_;
    QComboBox *currentResidual_, *voltageResidual_;
    QCheckBox *currentsOff_, *voltagesOff_;
    QRadioButton *currentFromResidual_, *voltageFromResidual_;
};

// "Фазные сопротивления".
class CQAnPhaseSoprotPg : public CQAnPropPg {
    Q_OBJECT
public:
    CQAnPhaseSoprotPg(CZarvaDoc& document, QWidget* parent);
    void Plan(FormulaPlan& plan) override;

private:
    void UpdateStates();

    PhaseImpedanceChoices choices_;
    QRadioButton *fromModel_, *typed_;
    QDoubleSpinBox *r1_, *x1_, *r0_, *x0_, *minimumCurrent_;
};

// "Междуфазные сопротивления".
class CQAnMezphaseSoedPg : public CQAnPropPg {
    Q_OBJECT
public:
    CQAnMezphaseSoedPg(CZarvaDoc& document, QWidget* parent);
    void Plan(FormulaPlan& plan) override;

private:
    void UpdateStates();

    LineImpedanceChoices choices_;
    std::array<QComboBox*, 3> phaseVoltages_, lineVoltages_;
    QRadioButton* fromPhases_;
    QDoubleSpinBox* minimumCurrent_;
};

// A spin box for a number typed on a page.
QDoubleSpinBox* NumberBox(QWidget* parent, double value, double maximum = 1e9, int decimals = 4);

} // namespace zarva::gui
