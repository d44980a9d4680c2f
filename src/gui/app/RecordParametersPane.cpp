#include "gui/app/RecordParametersPane.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <utility>
#include <vector>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kFileName = 3287;
constexpr int kStation = 3478;
constexpr int kRecorder = 4660;
constexpr int kRevision = 4661;
constexpr int kStart = 4662;
constexpr int kTrigger = 4663;
constexpr int kLineFrequency = 4664;
constexpr int kSampleRate = 4665;
constexpr int kSamples = 4666;
constexpr int kAnalog = 4667;
constexpr int kDiscrete = 4668;
constexpr int kFileType = 4669;
constexpr int kParameter = 4670;
constexpr int kValue = 4671;
} // namespace ids

QString Shown(const std::string& decoded, const std::string& bytes)
{
    return QString::fromStdString(decoded.empty() ? bytes : decoded);
}

std::vector<std::pair<int, QString>> Facts(const CZarvaDoc& document)
{
    const Oscillogram& record = document.Core().oscillogram;
    return {
        {ids::kFileName, document.Title()},
        {ids::kStation, Shown(record.stationText, record.stationName)},
        {ids::kRecorder, Shown(record.recorderText, record.recorderId)},
        {ids::kRevision, QString::fromStdString(record.revisionYear)},
        {ids::kStart, Shown(record.startText, record.startDate + " " + record.startTime)},
        {ids::kTrigger, Shown(record.triggerText, record.triggerDate + " " + record.triggerTime)},
        {ids::kLineFrequency, QString::number(record.lineFrequency)},
        {ids::kSampleRate, QString::number(record.sampleRate)},
        {ids::kSamples, QString::number(record.SampleCount())},
        {ids::kAnalog, QString::number(record.analogCount)},
        {ids::kDiscrete, QString::number(record.discreteCount)},
        {ids::kFileType, QString::fromStdString(record.fileType)},
    };
}

} // namespace

RecordParametersPane::RecordParametersPane(QWidget* parent) : QDockWidget(CommandShortTip(cmd::kParameterBar), parent)
{
    setObjectName(QStringLiteral("RecordParametersPane"));
    facts_ = new QTreeWidget(this);
    facts_->setRootIsDecorated(false);
    facts_->setHeaderLabels({Tr(ids::kParameter), Tr(ids::kValue)});
    facts_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setWidget(facts_);
}

void RecordParametersPane::ShowRecord(const CZarvaDoc* document)
{
    facts_->clear();
    if (document == nullptr)
        return;
    for (const auto& [labelId, value] : Facts(*document)) {
        auto* row = new QTreeWidgetItem({Tr(labelId), value});
        row->setData(0, Qt::UserRole, labelId);
        row->setToolTip(1, value);
        facts_->addTopLevelItem(row);
    }
}

QString RecordParametersPane::Value(int labelId) const
{
    for (int i = 0; i < facts_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = facts_->topLevelItem(i);
        if (row->data(0, Qt::UserRole).toInt() == labelId)
            return row->text(1);
    }
    return {};
}

} // namespace zarva::gui
