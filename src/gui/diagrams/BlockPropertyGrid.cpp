#include "gui/diagrams/BlockPropertyGrid.h"

#include "gui/app/Drawing.h"
#include "gui/app/Texts.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

namespace zarva::gui {
namespace {

constexpr int kBlockTypeText = 3483;
constexpr int kBlockTypeDescription = 3484;

QIcon LegendSquare(const CharacteristicColours& colours)
{
    QPixmap square(12, 12);
    square.fill(ToQColor(colours.legendFill));
    QPainter painter(&square);
    painter.setPen(ToQColor(colours.operatingFrame));
    painter.drawRect(0, 0, 11, 11);
    return QIcon(square);
}

} // namespace

BlockPropertyGrid::BlockPropertyGrid(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("BlockPropertyGrid"));
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // Only the value column is edited; the names are the base's own.
    const auto editValue = [this](QTreeWidgetItem* item) {
        if (item->parent() != nullptr)
            editItem(item, 1);
    };
    connect(this, &QTreeWidget::itemDoubleClicked, this, editValue);
    connect(this, &QTreeWidget::itemActivated, this, editValue);
    connect(this, &QTreeWidget::itemChanged, this, &BlockPropertyGrid::OnItemChanged);
}

void BlockPropertyGrid::SetBlocks(std::vector<BlockType>* blocks, std::size_t selected)
{
    blocks_ = blocks;
    clear();
    auto* selectorItem = new QTreeWidgetItem(this, {Tr(kBlockTypeText)});
    selectorItem->setToolTip(0, Tr(kBlockTypeDescription));
    selector_ = new QComboBox(this);
    selector_->setObjectName(QStringLiteral("BlockSelector"));
    for (const BlockType& block : *blocks)
        selector_->addItem(QString::fromStdString(block.name));
    selector_->setCurrentIndex(selected < blocks->size() ? static_cast<int>(selected) : 0);
    setItemWidget(selectorItem, 1, selector_);
    connect(selector_, &QComboBox::currentIndexChanged, this, [this](int index) {
        ShowCharacteristics();
        emit blockSelected(static_cast<std::size_t>(std::max(index, 0)));
    });
    ShowCharacteristics();
}

std::size_t BlockPropertyGrid::Selected() const
{
    return selector_ != nullptr ? static_cast<std::size_t>(std::max(selector_->currentIndex(), 0)) : 0;
}

BlockType* BlockPropertyGrid::Block() const
{
    return blocks_ != nullptr && Selected() < blocks_->size() ? &(*blocks_)[Selected()] : nullptr;
}

void BlockPropertyGrid::ShowCharacteristics()
{
    filling_ = true;
    while (topLevelItemCount() > 1)
        delete takeTopLevelItem(1);
    if (BlockType* block = Block()) {
        for (const Characteristic& characteristic : block->characteristics) {
            auto* group = new QTreeWidgetItem(this, {QString::fromStdString(characteristic.name)});
            group->setIcon(0, LegendSquare(ColoursOf(characteristic.colourIndex)));
            group->setFlags(group->flags() | Qt::ItemIsUserCheckable);
            group->setCheckState(0, characteristic.visible ? Qt::Checked : Qt::Unchecked);
            for (const Parameter& parameter : characteristic.parameters) {
                auto* item = new QTreeWidgetItem(group, {QString::fromStdString(parameter.name),
                                                         QString::fromStdString(parameter.value)});
                item->setFlags(item->flags() | Qt::ItemIsEditable);
                item->setToolTip(1, QString::fromStdString(parameter.defaultValue));
            }
            group->setExpanded(true);
        }
    }
    filling_ = false;
}

void BlockPropertyGrid::OnItemChanged(QTreeWidgetItem* item, int column)
{
    BlockType* block = Block();
    if (filling_ || block == nullptr)
        return;
    QTreeWidgetItem* group = item->parent() != nullptr ? item->parent() : item;
    const int characteristic = indexOfTopLevelItem(group) - 1;
    if (characteristic < 0 || characteristic >= static_cast<int>(block->characteristics.size()))
        return;
    Characteristic& target = block->characteristics[static_cast<std::size_t>(characteristic)];
    if (item == group && column == 0) {
        target.visible = item->checkState(0) == Qt::Checked;
    } else if (item != group && column == 1) {
        const int parameter = group->indexOfChild(item);
        if (parameter < 0 || parameter >= static_cast<int>(target.parameters.size()))
            return;
        target.parameters[static_cast<std::size_t>(parameter)].value = item->text(1).trimmed().toStdString();
    } else {
        return;
    }
    emit choicesEdited();
}

} // namespace zarva::gui
