#include "gui/diagrams/ChannelPairDlg.h"

#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramIds.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

QListWidget* TitledList(QBoxLayout& row, const QString& title, const QStringList& channels)
{
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    auto* list = new QListWidget(group);
    list->addItems(channels);
    layout->addWidget(list);
    row.addWidget(group);
    return list;
}

} // namespace

ChannelPairDlg::ChannelPairDlg(ChartKind kind, const QStringList& channels, QWidget* parent) : QDialog(parent)
{
    using namespace diagram_text;
    const bool circle = kind == ChartKind::Circle;
    setWindowTitle(Tr(circle ? kResistancePairTitle : kCurrentPairTitle));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    first_ = TitledList(*row, Tr(circle ? kActiveResistance : kBrakingCurrent), channels);
    second_ = TitledList(*row, Tr(circle ? kReactiveResistance : kDifferentialCurrent), channels);
    first_->setObjectName(QStringLiteral("FirstChannel"));
    second_->setObjectName(QStringLiteral("SecondChannel"));
    layout->addLayout(row);
    AddOkCancel(*this, *layout);
}

ChannelPair ChannelPairDlg::Pair() const
{
    const auto chosen = [](const QListWidget* list) {
        return list->currentItem() != nullptr ? list->currentItem()->text().toStdString() : std::string();
    };
    return {chosen(first_), chosen(second_), true};
}

} // namespace zarva::gui
