#include "gui/analysis/ChannelPages.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/Texts.h"

#include "core/storage/SettingsSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kCurrents = 5600;
constexpr int kVoltages = 5601;
constexpr int kCalculateIb = 5602;
constexpr int kIsolatedNeutralNote = 5603;
constexpr int kOff = 5604;
constexpr int kPhaseVoltages = 5605;
constexpr int kLineVoltages = 5606;
constexpr int kFromPhases = 5613;
constexpr int kFromResidual = 5614;
constexpr int kCompensation = 5615;
constexpr int kFromLineModel = 5616;
constexpr int kTyped = 5617;
constexpr int kR1 = 5618;
constexpr int kX1 = 5619;
constexpr int kR0 = 5620;
constexpr int kX0 = 5621;
constexpr int kMinimumCurrent = 5622;
constexpr int kResidualCurrent = 5623;
} // namespace ids

QString Name(const char* text)
{
    return QString::fromUtf8(text);
}

// The page's saved choices, then guesses for the channels still missing.
template <typename Choices>
Choices Initial(const CZarvaDoc& document)
{
    Choices choices;
    if (const SettingsSection* saved = document.Core().settings.Find(Choices::kSection))
        choices.Load(*saved);
    choices.Prefill(document.Core().oscillogram);
    return choices;
}

QGroupBox* Group(QWidget* parent, QVBoxLayout& page, int titleId, QFormLayout*& form)
{
    auto* group = new QGroupBox(Tr(titleId), parent);
    form = new QFormLayout(group);
    page.addWidget(group);
    return group;
}

QCheckBox* Check(QWidget* parent, QFormLayout& form, int textId, bool checked)
{
    auto* box = new QCheckBox(Tr(textId), parent);
    box->setChecked(checked);
    form.addRow(box);
    return box;
}

// Two radio buttons in a row; the first checked when `first`.
std::pair<QRadioButton*, QRadioButton*> Either(QWidget* parent, QFormLayout& form, int firstId, int secondId, bool first)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* a = new QRadioButton(Tr(firstId), row);
    auto* b = new QRadioButton(Tr(secondId), row);
    layout->addWidget(a);
    layout->addWidget(b);
    layout->addStretch();
    (first ? a : b)->setChecked(true);
    form.addRow(row);
    return {a, b};
}

template <typename Widgets>
void Enable(const Widgets& widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

void Enable(std::initializer_list<QWidget*> widgets, bool enabled)
{
    Enable<std::initializer_list<QWidget*>>(widgets, enabled);
}

template <typename Page>
void OnToggle(Page* page, std::initializer_list<QAbstractButton*> buttons, void (Page::*update)())
{
    for (QAbstractButton* button : buttons)
        QObject::connect(button, &QAbstractButton::toggled, page, update);
}

} // namespace

QDoubleSpinBox* NumberBox(QWidget* parent, double value, double maximum, int decimals)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(decimals);
    box->setRange(0.0, maximum);
    box->setValue(value);
    return box;
}

CQAnSymmSostPg::CQAnSymmSostPg(CZarvaDoc& document, QWidget* parent)
    : CQAnPropPg(document, parent), choices_(Initial<SymmetricalChoices>(document))
{
    auto* page = new QVBoxLayout(this);
    QFormLayout* form = nullptr;
    Group(this, *page, ids::kCurrents, form);
    currents_ = AddPhases(*form, "I", choices_.ia, choices_.ib, choices_.ic);
    residual_ = AddChoice(*form, Name("3I0"), choices_.residual);
    calculateIb_ = Check(this, *form, ids::kCalculateIb, choices_.calculateIb);
    form->addRow(new QLabel(Tr(ids::kIsolatedNeutralNote), this));
    currentsOff_ = Check(this, *form, ids::kOff, choices_.currentsOff);
    Group(this, *page, ids::kVoltages, form);
    std::tie(phaseVoltages_, lineVoltages_) =
        Either(this, *form, ids::kPhaseVoltages, ids::kLineVoltages, choices_.phaseVoltages);
    voltages_ = AddPhases(*form, "U", choices_.ua, choices_.ub, choices_.uc);
    uab_ = AddChoice(*form, Name("Uab"), choices_.uab);
    ubc_ = AddChoice(*form, Name("Ubc"), choices_.ubc);
    voltagesOff_ = Check(this, *form, ids::kOff, choices_.voltagesOff);
    page->addStretch();
    OnToggle(this, {calculateIb_, currentsOff_, voltagesOff_, phaseVoltages_}, &CQAnSymmSostPg::UpdateStates);
    UpdateStates();
}

void CQAnSymmSostPg::UpdateStates()
{
    const bool currents = !currentsOff_->isChecked();
    const bool voltages = !voltagesOff_->isChecked();
    const bool phases = phaseVoltages_->isChecked();
    const bool calculated = calculateIb_->isChecked();
    Enable(currents_, currents);
    currents_[1]->setEnabled(currents && !calculated);
    residual_->setEnabled(currents && calculated);
    calculateIb_->setEnabled(currents);
    phaseVoltages_->setEnabled(voltages);
    lineVoltages_->setEnabled(voltages);
    Enable(voltages_, voltages && phases);
    Enable({uab_, ubc_}, voltages && !phases);
}

void CQAnSymmSostPg::Plan(FormulaPlan& plan)
{
    ReadChoices();
    choices_.currentsOff = currentsOff_->isChecked();
    choices_.voltagesOff = voltagesOff_->isChecked();
    choices_.calculateIb = calculateIb_->isChecked();
    choices_.phaseVoltages = phaseVoltages_->isChecked();
    choices_.Save(Section(SymmetricalChoices::kSection));
    choices_.Plan(plan);
}

CQAnNullPoslPg::CQAnNullPoslPg(CZarvaDoc& document, QWidget* parent)
    : CQAnPropPg(document, parent), choices_(Initial<ZeroSequenceChoices>(document))
{
    auto* page = new QVBoxLayout(this);
    QFormLayout* form = nullptr;
    Group(this, *page, ids::kCurrents, form);
    currentFromResidual_ = Either(this, *form, ids::kFromPhases, ids::kFromResidual, !choices_.currentFromResidual).second;
    currents_ = AddPhases(*form, "I", choices_.ia, choices_.ib, choices_.ic);
    currentResidual_ = AddChoice(*form, Name("3I0"), choices_.currentResidual);
    currentsOff_ = Check(this, *form, ids::kOff, choices_.currentsOff);
    Group(this, *page, ids::kVoltages, form);
    voltageFromResidual_ = Either(this, *form, ids::kFromPhases, ids::kFromResidual, !choices_.voltageFromResidual).second;
    voltages_ = AddPhases(*form, "U", choices_.ua, choices_.ub, choices_.uc);
    voltageResidual_ = AddChoice(*form, Name("3U0"), choices_.voltageResidual);
    voltagesOff_ = Check(this, *form, ids::kOff, choices_.voltagesOff);
    page->addStretch();
    OnToggle(this, {currentFromResidual_, voltageFromResidual_, currentsOff_, voltagesOff_}, &CQAnNullPoslPg::UpdateStates);
    UpdateStates();
}

void CQAnNullPoslPg::UpdateStates()
{
    const bool currents = !currentsOff_->isChecked();
    const bool voltages = !voltagesOff_->isChecked();
    Enable(currents_, currents && !currentFromResidual_->isChecked());
    currentResidual_->setEnabled(currents && currentFromResidual_->isChecked());
    Enable(voltages_, voltages && !voltageFromResidual_->isChecked());
    voltageResidual_->setEnabled(voltages && voltageFromResidual_->isChecked());
}

void CQAnNullPoslPg::Plan(FormulaPlan& plan)
{
    ReadChoices();
    choices_.currentsOff = currentsOff_->isChecked();
    choices_.voltagesOff = voltagesOff_->isChecked();
    choices_.currentFromResidual = currentFromResidual_->isChecked();
    choices_.voltageFromResidual = voltageFromResidual_->isChecked();
    choices_.Save(Section(ZeroSequenceChoices::kSection));
    choices_.Plan(plan);
}

CQAnPhaseSoprotPg::CQAnPhaseSoprotPg(CZarvaDoc& document, QWidget* parent)
    : CQAnPropPg(document, parent), choices_(Initial<PhaseImpedanceChoices>(document))
{
    auto* page = new QVBoxLayout(this);
    QFormLayout* form = nullptr;
    Group(this, *page, ids::kVoltages, form);
    AddPhases(*form, "U", choices_.ua, choices_.ub, choices_.uc);
    Group(this, *page, ids::kCurrents, form);
    AddPhases(*form, "I", choices_.ia, choices_.ib, choices_.ic);
    AddChoice(*form, Tr(ids::kResidualCurrent), choices_.residual)->setItemText(0, Tr(ids::kFromPhases));
    minimumCurrent_ = NumberBox(this, choices_.minimumCurrent);
    form->addRow(Tr(ids::kMinimumCurrent), minimumCurrent_);
    Group(this, *page, ids::kCompensation, form);
    std::tie(fromModel_, typed_) = Either(this, *form, ids::kFromLineModel, ids::kTyped, choices_.lineFromModel);
    const LineImpedance shown = choices_.line.IsZero() ? LineImpedance::OfModel(document.Core().lineModel) : choices_.line;
    r1_ = NumberBox(this, shown.r1);
    x1_ = NumberBox(this, shown.x1);
    r0_ = NumberBox(this, shown.r0);
    x0_ = NumberBox(this, shown.x0);
    for (auto [id, box] : {std::pair{ids::kR1, r1_}, {ids::kX1, x1_}, {ids::kR0, r0_}, {ids::kX0, x0_}})
        form->addRow(Tr(id), box);
    page->addStretch();
    OnToggle(this, {fromModel_}, &CQAnPhaseSoprotPg::UpdateStates);
    UpdateStates();
}

void CQAnPhaseSoprotPg::UpdateStates()
{
    Enable({r1_, x1_, r0_, x0_}, typed_->isChecked());
}

void CQAnPhaseSoprotPg::Plan(FormulaPlan& plan)
{
    ReadChoices();
    choices_.lineFromModel = fromModel_->isChecked();
    choices_.line = {r1_->value(), x1_->value(), r0_->value(), x0_->value()};
    choices_.minimumCurrent = minimumCurrent_->value();
    choices_.Save(Section(PhaseImpedanceChoices::kSection));
    choices_.Plan(plan, document_.Core().lineModel);
}

CQAnMezphaseSoedPg::CQAnMezphaseSoedPg(CZarvaDoc& document, QWidget* parent)
    : CQAnPropPg(document, parent), choices_(Initial<LineImpedanceChoices>(document))
{
    auto* page = new QVBoxLayout(this);
    QFormLayout* form = nullptr;
    Group(this, *page, ids::kVoltages, form);
    fromPhases_ = Either(this, *form, ids::kPhaseVoltages, ids::kLineVoltages, choices_.phaseVoltages).first;
    phaseVoltages_ = AddPhases(*form, "U", choices_.ua, choices_.ub, choices_.uc);
    lineVoltages_ = {AddChoice(*form, Name("Uab"), choices_.uab), AddChoice(*form, Name("Ubc"), choices_.ubc),
                     AddChoice(*form, Name("Uca"), choices_.uca)};
    Group(this, *page, ids::kCurrents, form);
    AddPhases(*form, "I", choices_.ia, choices_.ib, choices_.ic);
    minimumCurrent_ = NumberBox(this, choices_.minimumCurrent);
    form->addRow(Tr(ids::kMinimumCurrent), minimumCurrent_);
    page->addStretch();
    OnToggle(this, {fromPhases_}, &CQAnMezphaseSoedPg::UpdateStates);
    UpdateStates();
}

void CQAnMezphaseSoedPg::UpdateStates()
{
    Enable(phaseVoltages_, fromPhases_->isChecked());
    Enable(lineVoltages_, !fromPhases_->isChecked());
}

void CQAnMezphaseSoedPg::Plan(FormulaPlan& plan)
{
    ReadChoices();
    choices_.phaseVoltages = fromPhases_->isChecked();
    choices_.minimumCurrent = minimumCurrent_->value();
    choices_.Save(Section(LineImpedanceChoices::kSection));
    choices_.Plan(plan);
}

} // namespace zarva::gui
