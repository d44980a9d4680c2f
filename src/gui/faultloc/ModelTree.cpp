#include "gui/faultloc/ModelTree.h"

#include "gui/app/Texts.h"

#include <QTreeWidgetItemIterator>

namespace zarva::gui {
namespace {

using namespace WrongPlaceLocatorData;

QTreeWidgetItem* Tag(QTreeWidgetItem* item, Element& element)
{
    item->setText(0, Tr(element.TitleId()));
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(&element)));
    return item;
}

Element* ElementOf(const QTreeWidgetItem* item)
{
    return item != nullptr ? static_cast<Element*>(item->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

void AddStation(QTreeWidget& tree, Station& station)
{
    QTreeWidgetItem* stationItem = Tag(new QTreeWidgetItem(&tree), station);
    for (std::size_t s = 0; s < station.SectionCount(); ++s) {
        Section& section = station.SectionAt(s);
        QTreeWidgetItem* sectionItem = Tag(new QTreeWidgetItem(stationItem), section);
        for (const auto& parallel : section.ParallelLines())
            Tag(new QTreeWidgetItem(sectionItem), *parallel);
        for (const auto& tap : section.Connections())
            Tag(new QTreeWidgetItem(sectionItem), *tap);
    }
}

} // namespace

ModelTree::ModelTree(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("ModelTree"));
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { emit elementSelected(ElementOf(current)); });
}

void ModelTree::Show(LineModel& model, const Element* current)
{
    {
        const QSignalBlocker quiet(this);
        clear();
        for (int k = 0; k < 2; ++k)
            AddStation(*this, model.StationAt(k));
        expandAll();
    }
    QTreeWidgetItem* chosen = current != nullptr ? ItemOf(*current) : nullptr;
    setCurrentItem(chosen != nullptr ? chosen : topLevelItem(0));
}

Element* ModelTree::SelectedElement() const
{
    return ElementOf(currentItem());
}

QTreeWidgetItem* ModelTree::ItemOf(const Element& element) const
{
    for (QTreeWidgetItemIterator it(const_cast<ModelTree*>(this)); *it != nullptr; ++it) {
        if (ElementOf(*it) == &element)
            return *it;
    }
    return nullptr;
}

bool ModelTree::CanMoveSelected(int step) const
{
    QTreeWidgetItem* item = currentItem();
    const QTreeWidgetItem* parent = item != nullptr ? item->parent() : nullptr;
    if (parent == nullptr)
        return false;
    const QTreeWidgetItem* neighbour = parent->child(parent->indexOfChild(item) + step);
    return neighbour != nullptr && ElementOf(neighbour)->TitleId() == ElementOf(item)->TitleId();
}

} // namespace zarva::gui
