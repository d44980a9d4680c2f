#include "gui/app/ChannelListDlg.h"

#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"

#include "core/model/Oscillogram.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

constexpr int kTitle = 311;
constexpr int kAnalog = 4761;
constexpr int kDiscrete = 4762;
constexpr int kShowAll = 4800;
constexpr int kHideAll = 4801;

} // namespace

ChannelListDlg::ChannelListDlg(const Oscillogram& record, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ChannelListDlg"));
    setWindowTitle(Tr(kTitle));
    auto* layout = new QVBoxLayout(this);
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    layout->addWidget(tree_, 1);
    QTreeWidgetItem* analog = AddBranch(kAnalog);
    QTreeWidgetItem* discrete = AddBranch(kDiscrete);
    for (const Channel& channel : record.channels) {
        auto* item = new QTreeWidgetItem(channel.IsAnalog() ? analog : discrete,
                                         QStringList{QString::fromStdString(channel.Name())});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(0, channel.HasFlag(display::kVisible) ? Qt::Checked : Qt::Unchecked);
        channelItems_.push_back(item);
    }
    for (QTreeWidgetItem* branch : {analog, discrete})
        branch->setHidden(branch->childCount() == 0);
    tree_->expandAll();

    auto* choices = new QHBoxLayout;
    auto* showAll = new QPushButton(Tr(kShowAll), this);
    showAll->setObjectName(QStringLiteral("showAll"));
    auto* hideAll = new QPushButton(Tr(kHideAll), this);
    hideAll->setObjectName(QStringLiteral("hideAll"));
    connect(showAll, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(hideAll, &QPushButton::clicked, this, [this] { CheckAll(false); });
    choices->addWidget(showAll);
    choices->addWidget(hideAll);
    choices->addStretch(1);
    layout->addLayout(choices);
    AddOkCancel(*this, *layout);
    resize(360, 480);
}

// A branch's box checks or clears all of its channels at once.
QTreeWidgetItem* ChannelListDlg::AddBranch(int titleId)
{
    auto* branch = new QTreeWidgetItem(tree_, QStringList{Tr(titleId)});
    branch->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
    return branch;
}

std::vector<bool> ChannelListDlg::Visibility() const
{
    std::vector<bool> visible;
    for (const QTreeWidgetItem* item : channelItems_)
        visible.push_back(item->checkState(0) == Qt::Checked);
    return visible;
}

void ChannelListDlg::CheckAll(bool visible)
{
    for (QTreeWidgetItem* item : channelItems_)
        item->setCheckState(0, visible ? Qt::Checked : Qt::Unchecked);
}

} // namespace zarva::gui
