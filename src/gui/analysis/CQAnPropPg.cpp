#include "gui/analysis/CQAnPropPg.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/Texts.h"

#include "core/dsp/PhasorMath.h"
#include "core/storage/SettingsSection.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace zarva::gui {
namespace {

constexpr int kNoChannel = 191;

} // namespace

CQAnPropPg::CQAnPropPg(CZarvaDoc& document, QWidget* parent) : QWidget(parent), document_(document) {}

QComboBox* CQAnPropPg::AddChoice(QFormLayout& form, const QString& label, std::string& chosen)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* choice = new QComboBox(row);
    choice->setMinimumContentsLength(16);
    auto* value = new QLabel(row);
    value->setMinimumWidth(140);
    layout->addWidget(choice, 1);
    layout->addWidget(value);
    form.addRow(label, row);
    FillChoice(*choice, QString::fromStdString(chosen));
    choices_.push_back({choice, value, &chosen});
    connect(choice, &QComboBox::currentIndexChanged, this, [this] { ShowValuesAt(sample_); });
    return choice;
}

void CQAnPropPg::FillChoice(QComboBox& choice, const QString& chosen) const
{
    const QSignalBlocker quiet(&choice);
    const QString none = choice.count() > 0 ? choice.itemText(0) : Tr(kNoChannel);
    choice.clear();
    choice.addItem(none, QString());
    for (const Channel& channel : document_.Core().oscillogram.channels) {
        if (channel.IsAnalog())
            choice.addItem(QString::fromStdString(channel.name), QString::fromStdString(channel.name));
    }
    choice.setCurrentIndex(std::max(0, choice.findData(chosen)));
}

std::array<QComboBox*, 3> CQAnPropPg::AddPhases(QFormLayout& form, const char* quantity, std::string& a,
                                                std::string& b, std::string& c)
{
    const QString name = QString::fromUtf8(quantity);
    return {AddChoice(form, name + QLatin1Char('a'), a), AddChoice(form, name + QLatin1Char('b'), b),
            AddChoice(form, name + QLatin1Char('c'), c)};
}

void CQAnPropPg::ReadChoices()
{
    for (const Choice& choice : choices_)
        *choice.chosen = choice.combo->currentData().toString().toStdString();
}

SettingsSection& CQAnPropPg::Section(const char* name) const
{
    return document_.Core().settings.Section(name);
}

void CQAnPropPg::RecordChanged()
{
    for (const Choice& choice : choices_)
        FillChoice(*choice.combo, choice.combo->currentData().toString());
    ShowValuesAt(sample_);
}

void CQAnPropPg::ShowValuesAt(std::int64_t sample)
{
    sample_ = sample;
    const Oscillogram& record = document_.Core().oscillogram;
    for (const Choice& choice : choices_) {
        QLabel* value = choice.value;
        value->clear();
        const std::string name = choice.combo->currentData().toString().toStdString();
        if (name.empty() || sample < 0)
            continue;
        const auto found = std::ranges::find(record.channels, name, &Channel::name);
        if (found == record.channels.end() || static_cast<std::size_t>(sample) >= found->PhasorSeries().Size())
            continue;
        const Channel& channel = *found;
        const Phasor z = channel.PhasorSeries().At(static_cast<std::size_t>(sample));
        value->setText(QStringLiteral("%1 %2 ∠ %3°")
                           .arg(std::abs(z), 0, 'g', 5)
                           .arg(QString::fromStdString(channel.Unit()))
                           .arg(AngleDeg(z), 0, 'f', 1));
    }
}

} // namespace zarva::gui
