#include "gui/view/CZarvaView.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/Texts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kStation = 3480;
constexpr int kRecordStart = 3298;
constexpr int kChannel = 4650;
constexpr int kUnit = 4651;
constexpr int kPhase = 4652;
constexpr int kAnalog = 4653;
constexpr int kDiscrete = 4654;
constexpr int kKind = 4655;
constexpr int kSamples = 4656;
constexpr int kRate = 4657;
} // namespace ids

QString Summary(const Oscillogram& record)
{
    const QString station = QString::fromStdString(record.stationText.empty() ? record.stationName : record.stationText);
    const QString gap = QStringLiteral("    ");
    return Tr(ids::kStation) + station + gap + Tr(ids::kRecordStart) +
           QString::fromStdString(record.startText.empty() ? record.startDate + " " + record.startTime
                                                                   : record.startText) + gap + Tr(ids::kSamples) +
           QString::number(record.SampleCount()) + gap + Tr(ids::kRate) + QString::number(record.sampleRate);
}

} // namespace

CZarvaView::CZarvaView(CZarvaDoc& document, QWidget* parent) : QWidget(parent), document_(document)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("RecordSummary"));
    summary_->setContentsMargins(8, 4, 8, 4);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);
    channels_ = new QTreeWidget(this);
    channels_->setRootIsDecorated(false);
    channels_->setAlternatingRowColors(true);
    channels_->setUniformRowHeights(true);
    channels_->setHeaderLabels({QStringLiteral("№"), Tr(ids::kChannel), Tr(ids::kKind), Tr(ids::kPhase), Tr(ids::kUnit)});
    channels_->header()->setStretchLastSection(true);
    layout->addWidget(channels_, 1);
    Refresh();
}

void CZarvaView::Refresh()
{
    const Oscillogram& record = document_.Core().oscillogram;
    summary_->setText(Summary(record));
    channels_->clear();
    QList<QTreeWidgetItem*> items;
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        const Channel& channel = record.channels[i];
        auto* item = new QTreeWidgetItem(
            {QString::number(i + 1), QString::fromStdString(channel.Name()),
             Tr(channel.IsAnalog() ? ids::kAnalog : ids::kDiscrete), QString::fromStdString(channel.phase),
             QString::fromStdString(channel.Unit())});
        items.append(item);
    }
    channels_->addTopLevelItems(items);
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        if (record.channels[i].selected)
            items[static_cast<qsizetype>(i)]->setSelected(true);
    }
    for (int column = 0; column < channels_->columnCount() - 1; ++column)
        channels_->resizeColumnToContents(column);
}

} // namespace zarva::gui
