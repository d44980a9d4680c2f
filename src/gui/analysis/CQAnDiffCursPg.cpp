#include "gui/analysis/CQAnDiffCursPg.h"

#include "gui/analysis/ChannelPages.h"
#include "gui/app/CZarvaDoc.h"
#include "gui/app/Texts.h"

#include "core/storage/SettingsSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kLeg = 5624;
constexpr int kReduction = 5625;
constexpr int kByCoefficient = 5626;
constexpr int kByPower = 5627;
constexpr int kByNominalCurrent = 5628;
constexpr int kCoefficient = 5629;
constexpr int kPower = 5630;
constexpr int kVoltage = 5631;
constexpr int kNominalCurrent = 5632;
constexpr int kVectorGroup = 5633;
constexpr int kRemoveZero = 5634;
constexpr int kBrakingFactor = 5635;
constexpr int kThreeLegs = 5636;
} // namespace ids

} // namespace

CQAnDiffCursPg::CQAnDiffCursPg(CZarvaDoc& document, QWidget* parent) : CQAnPropPg(document, parent)
{
    if (const SettingsSection* saved = document.Core().settings.Find(DifferentialChoices::kSection))
        choices_.Load(*saved);
    const bool three = choices_.legs.size() == DifferentialChoices::kMaxLegs;
    choices_.legs.resize(DifferentialChoices::kMaxLegs);
    choices_.Prefill(document.Core().oscillogram);
    auto* page = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    page->addLayout(grid);
    for (int n = 0; n < DifferentialChoices::kMaxLegs; ++n) {
        legs_[static_cast<std::size_t>(n)] = AddLeg(n, choices_.legs[static_cast<std::size_t>(n)]);
        grid->addWidget(legs_[static_cast<std::size_t>(n)].group, 0, n);
    }
    auto* common = new QFormLayout;
    page->addLayout(common);
    threeLegs_ = new QCheckBox(Tr(ids::kThreeLegs), this);
    threeLegs_->setChecked(three);
    common->addRow(threeLegs_);
    brakingFactor_ = NumberBox(this, choices_.brakingFactor, 10.0);
    common->addRow(Tr(ids::kBrakingFactor), brakingFactor_);
    page->addStretch();
    connect(threeLegs_, &QCheckBox::toggled, this, &CQAnDiffCursPg::UpdateStates);
    UpdateStates();
}

CQAnDiffCursPg::LegControls CQAnDiffCursPg::AddLeg(int index, DifferentialLeg& leg)
{
    LegControls c{};
    c.group = new QGroupBox(Tr(ids::kLeg, QString::number(index + 1)), this);
    auto* form = new QFormLayout(c.group);
    c.currents = AddPhases(*form, "I", leg.ia, leg.ib, leg.ic);
    c.reduction = new QComboBox(c.group);
    c.reduction->addItems({Tr(ids::kByCoefficient), Tr(ids::kByPower), Tr(ids::kByNominalCurrent)});
    c.reduction->setCurrentIndex(static_cast<int>(leg.reduction));
    form->addRow(Tr(ids::kReduction), c.reduction);
    c.coefficient = NumberBox(c.group, leg.coefficient);
    c.power = NumberBox(c.group, leg.power);
    c.voltage = NumberBox(c.group, leg.voltage);
    c.nominalCurrent = NumberBox(c.group, leg.nominalCurrent);
    for (auto [id, box] : {std::pair{ids::kCoefficient, c.coefficient}, {ids::kPower, c.power},
                           {ids::kVoltage, c.voltage}, {ids::kNominalCurrent, c.nominalCurrent}})
        form->addRow(Tr(id), box);
    c.vectorGroup = new QSpinBox(c.group);
    c.vectorGroup->setRange(0, 11);
    c.vectorGroup->setValue(leg.group);
    form->addRow(Tr(ids::kVectorGroup), c.vectorGroup);
    c.removeZero = new QCheckBox(Tr(ids::kRemoveZero), c.group);
    c.removeZero->setChecked(leg.removeZeroSequence);
    form->addRow(c.removeZero);
    connect(c.reduction, &QComboBox::currentIndexChanged, this, &CQAnDiffCursPg::UpdateStates);
    return c;
}

void CQAnDiffCursPg::UpdateStates()
{
    legs_.back().group->setEnabled(threeLegs_->isChecked());
    for (const LegControls& c : legs_) {
        const auto reduction = static_cast<LegReduction>(c.reduction->currentIndex());
        c.power->setEnabled(reduction == LegReduction::RatedPower);
        c.voltage->setEnabled(reduction == LegReduction::RatedPower);
        c.nominalCurrent->setEnabled(reduction == LegReduction::NominalCurrent);
    }
}

void CQAnDiffCursPg::Read(const LegControls& c, DifferentialLeg& leg) const
{
    leg.reduction = static_cast<LegReduction>(c.reduction->currentIndex());
    leg.coefficient = c.coefficient->value();
    leg.power = c.power->value();
    leg.voltage = c.voltage->value();
    leg.nominalCurrent = c.nominalCurrent->value();
    leg.group = c.vectorGroup->value();
    leg.removeZeroSequence = c.removeZero->isChecked();
}

void CQAnDiffCursPg::Plan(FormulaPlan& plan)
{
    ReadChoices();
    for (std::size_t n = 0; n < legs_.size(); ++n)
        Read(legs_[n], choices_.legs[n]);
    choices_.brakingFactor = brakingFactor_->value();
    // The controls stay bound to all three legs; the choices made take the legs in use.
    DifferentialChoices chosen = choices_;
    chosen.legs.resize(threeLegs_->isChecked() ? 3 : 2);
    chosen.Save(Section(DifferentialChoices::kSection));
    planned_ = chosen.Plan(plan);
}

void CQAnDiffCursPg::Calculated()
{
    ShowPairs(document_.Core().settings, ChartKind::Differential, planned_);
    planned_.clear();
}

} // namespace zarva::gui
