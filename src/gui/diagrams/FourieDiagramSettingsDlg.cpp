#include "gui/diagrams/FourieDiagramSettingsDlg.h"

#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramIds.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zarva::gui {
namespace {

using namespace diagram_text;

QGroupBox* RadioGroup(int titleId, QRadioButton* first, QRadioButton* second, QWidget* parent)
{
    auto* group = new QGroupBox(Tr(titleId), parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}

// The range message with its two "%i" filled in.
QString RangeMessage(int lowest, int highest)
{
    QString text = Tr(kIntegerRange);
    for (const int bound : {lowest, highest}) {
        const qsizetype at = text.indexOf(QLatin1String("%i"));
        if (at >= 0)
            text.replace(at, 2, QString::number(bound));
    }
    return text;
}

} // namespace

FourieDiagramSettingsDlg::FourieDiagramSettingsDlg(const FrequencyChartSettings& settings, const Oscillogram& record,
                                                   QWidget* parent)
    : QDialog(parent), settings_(settings), record_(record)
{
    setObjectName(QStringLiteral("FourieDiagramSettingsDlg"));
    setWindowTitle(Tr(kSettingsTitle));
    auto* layout = new QVBoxLayout(this);

    auto* calculation = new QGroupBox(Tr(kCalculationGroup), this);
    auto* numbers = new QFormLayout(calculation);
    periods_ = new QLineEdit(QString::number(settings.numPeriods), calculation);
    periods_->setObjectName(QStringLiteral("NumPeriods"));
    harmonics_ = new QLineEdit(QString::number(settings.numHarmonics), calculation);
    harmonics_->setObjectName(QStringLiteral("NumHarmonics"));
    numbers->addRow(Tr(kPeriods), periods_);
    numbers->addRow(Tr(kHarmonics), harmonics_);
    layout->addWidget(calculation);

    percent_ = new QRadioButton(Tr(kPercent), this);
    absolute_ = new QRadioButton(Tr(kAbsolute), this);
    layout->addWidget(RadioGroup(kValuesGroup, percent_, absolute_, this));
    byFundamental_ = new QRadioButton(Tr(kByFundamental), this);
    byRms_ = new QRadioButton(Tr(kByRms), this);
    normalisation_ = RadioGroup(kNormalisationGroup, byFundamental_, byRms_, this);
    normalisation_->setObjectName(QStringLiteral("Normalisation"));
    layout->addWidget(normalisation_);
    (settings.Percent() ? percent_ : absolute_)->setChecked(true);
    (settings.useRms == 1 ? byRms_ : byFundamental_)->setChecked(true);
    normalisation_->setEnabled(settings.Percent());
    connect(percent_, &QRadioButton::toggled, normalisation_, &QWidget::setEnabled);

    AddOkCancel(*this, *layout, kOk);
}

std::optional<int> FourieDiagramSettingsDlg::ReadNumber(QLineEdit& edit, int lowest, int highest)
{
    bool isNumber = false;
    const int value = edit.text().trimmed().toInt(&isNumber);
    if (isNumber && value >= lowest && value <= highest)
        return value;
    const QString message = isNumber ? RangeMessage(lowest, highest) : Tr(kNotAnInteger);
    QMessageBox::warning(this, windowTitle(), message);
    edit.setFocus();
    edit.selectAll();
    return std::nullopt;
}

void FourieDiagramSettingsDlg::accept()
{
    const std::optional<int> periods = ReadNumber(*periods_, 1, std::max(1, WholePeriods(record_)));
    if (!periods)
        return;
    const std::optional<int> harmonics = ReadNumber(*harmonics_, 1, std::max(1, DialogHarmonicLimit(record_, *periods)));
    if (!harmonics)
        return;
    settings_.numPeriods = *periods;
    settings_.numHarmonics = *harmonics;
    settings_.showPersents = percent_->isChecked() ? 0 : 1;
    settings_.useRms = byRms_->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace zarva::gui
