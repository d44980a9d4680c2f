#include "gui/app/RecordParametersDlg.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"

#include "core/document/RecordParameters.h"
#include "core/view/ViewTexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kChannels = 5646;
constexpr int kAnalog = 5647;
constexpr int kDiscrete = 5648;
constexpr int kSamples = 5649;
constexpr int kLineFrequency = 5650;
constexpr int kSampleRate = 5651;
constexpr int kStation = 5652;
constexpr int kRecorder = 5653;
constexpr int kStart = 5654;
constexpr int kTrigger = 5655;
constexpr int kDuration = 5656;
constexpr int kReference = 5657;
constexpr int kNoCorrection = 5658;
constexpr int kCorrectRate = 5659;
constexpr int kCaption = 5660;
} // namespace ids

constexpr CodePage kPages[] = {CodePage::Windows1251, CodePage::Oem866, CodePage::Utf8, CodePage::Gbk,
                               CodePage::Windows1252};

QString Shown(const std::string& decoded, const std::string& bytes)
{
    return QString::fromStdString(decoded.empty() ? bytes : decoded);
}

QString DurationText(const Oscillogram& record)
{
    const auto& times = record.sampleTimes;
    const double ms = times.empty() ? 0.0 : static_cast<double>(times.back() - times.front()) / 1000.0;
    return QStringLiteral("%1 ms").arg(ms);
}

} // namespace

RecordParametersDlg::RecordParametersDlg(CZarvaDoc& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setWindowTitle(Tr(ids::kCaption));
    const Oscillogram& record = document.Core().oscillogram;
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    AddFacts(*form);

    codePages_ = new QComboBox(this);
    for (const CodePage page : kPages)
        codePages_->addItem(Tr(viewtext::kCodePageNames + static_cast<int>(page)), static_cast<int>(page));
    codePages_->setCurrentIndex(codePages_->findData(static_cast<int>(record.codePage)));
    form->addRow(Tr(viewtext::kCodePageLabel), codePages_);

    reference_ = new QComboBox(this);
    reference_->addItem(Tr(ids::kNoCorrection));
    for (const std::size_t index : record.frequencyChannels)
        reference_->addItem(QString::fromStdString(record.channels.at(index).name));
    reference_->setCurrentIndex(std::clamp(document.Core().frequencyReference, 0, reference_->count() - 1));
    form->addRow(Tr(ids::kReference), reference_);

    rates_ = new QComboBox(this);
    std::vector<std::int32_t> rates = CorrectableRates(record.lineFrequency);
    if (std::ranges::find(rates, record.sampleRate) == rates.end())
        rates.insert(rates.begin(), record.sampleRate);
    for (const std::int32_t rate : rates)
        rates_->addItem(QString::number(rate), rate);
    rates_->setCurrentIndex(rates_->findData(record.sampleRate));
    rates_->setEnabled(rates.size() > 1);
    form->addRow(Tr(ids::kCorrectRate), rates_);
    AddOkCancel(*this, *layout);
}

void RecordParametersDlg::AddFacts(QFormLayout& form)
{
    const Oscillogram& record = document_.Core().oscillogram;
    const std::pair<int, QString> facts[] = {
        {ids::kChannels, QString::number(record.channels.size())},
        {ids::kAnalog, QString::number(record.analogCount)},
        {ids::kDiscrete, QString::number(record.discreteCount)},
        {ids::kSamples, QString::number(record.SampleCount())},
        {ids::kLineFrequency, QString::number(record.lineFrequency)},
        {ids::kSampleRate, QString::number(record.sampleRate)},
        {ids::kStation, Shown(record.stationText, record.stationName)},
        {ids::kRecorder, Shown(record.recorderText, record.recorderId)},
        {ids::kStart, Shown(record.startText, record.startDate + " " + record.startTime)},
        {ids::kTrigger, Shown(record.triggerText, record.triggerDate + " " + record.triggerTime)},
        {ids::kDuration, DurationText(record)},
    };
    for (const auto& [labelId, value] : facts) {
        auto* shown = new QLabel(value, this);
        shown->setObjectName(QString::number(labelId));
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form.addRow(Tr(labelId), shown);
    }
}

QString RecordParametersDlg::Fact(int labelId) const
{
    const auto* shown = findChild<QLabel*>(QString::number(labelId));
    return shown != nullptr ? shown->text() : QString();
}

void RecordParametersDlg::accept()
{
    Document& core = document_.Core();
    bool changed = ChangeCodePage(core, static_cast<CodePage>(codePages_->currentData().toInt()));
    QString failure;
    try {
        changed = CorrectSampleRate(core, rates_->currentData().toInt()) || changed;
    } catch (const std::exception& error) {
        changed = true;
        failure = QString::fromStdString(error.what());
    }
    changed = ChangeFrequencyReference(core, reference_->currentIndex()) || changed;
    if (changed) {
        document_.SetModifiedFlag();
        document_.NotifyRecordChanged();
    }
    if (!failure.isEmpty())
        QMessageBox::warning(this, Tr(text::kAppName), failure);
    QDialog::accept();
}

void RegisterRecordParametersCommand(CZarvaDoc& document)
{
    document.OnCommand(cmd::kFileParameters, [&document] {
        RecordParametersDlg dialog(document, document.Services().DialogParent());
        dialog.exec();
    }, [&document] { return CommandState{document.Core().oscillogram.SampleCount() > 0}; });
}

} // namespace zarva::gui
