#include "gui/faultloc/PropertyList.h"

#include "gui/app/Texts.h"

#include "core/model/Oscillogram.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace zarva::gui {
namespace {

using namespace WrongPlaceLocatorData;

constexpr int kNameHeader = 4670;
constexpr int kValueHeader = 4671;
constexpr int kValueColumn = 1;
constexpr int kEditorRole = Qt::UserRole;
constexpr int kQuantityRole = Qt::UserRole + 1;
constexpr int kKeyRole = Qt::UserRole + 2;

// Numbers as the model reads them: a decimal point or comma, an optional exponent; empty
// means 0.
const QRegularExpression& NumberPattern()
{
    static const QRegularExpression pattern(QStringLiteral(R"(([+-]?(\d+([.,]\d*)?|[.,]\d+)([eE][+-]?\d+)?)?)"));
    return pattern;
}

// Makes each value's editor from the editing kind its row carries.
class PropertyEditors : public QStyledItemDelegate {
public:
    PropertyEditors(ChannelChoices channels, QObject* parent)
        : QStyledItemDelegate(parent), channels_(std::move(channels))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() != kValueColumn)
            return nullptr;
        switch (static_cast<Editor>(index.data(kEditorRole).toInt())) {
        case Editor::Channel: {
            auto* choice = new QComboBox(parent);
            choice->setEditable(true);
            choice->setInsertPolicy(QComboBox::NoInsert);
            choice->addItems(channels_.For(static_cast<Quantity>(index.data(kQuantityRole).toInt())));
            return choice;
        }
        case Editor::Number: {
            auto* number = new QLineEdit(parent);
            number->setValidator(new QRegularExpressionValidator(NumberPattern(), number));
            return number;
        }
        case Editor::Text:
            break;
        }
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

private:
    ChannelChoices channels_;
};

} // namespace

ChannelChoices::ChannelChoices(const Oscillogram& record)
{
    for (const Channel& channel : record.channels) {
        if (!channel.IsAnalog())
            continue;
        const QString name = QString::fromStdString(channel.Name());
        analog_.append(name);
        if (channel.unit == "A")
            currents_.append(name);
        else if (channel.unit == "V")
            voltages_.append(name);
    }
}

QStringList ChannelChoices::For(Quantity quantity) const
{
    const QStringList& kind = quantity == Quantity::Current   ? currents_
                              : quantity == Quantity::Voltage ? voltages_
                                                              : analog_;
    return QStringList{QString()} + (kind.isEmpty() ? analog_ : kind);
}

PropertyList::PropertyList(ChannelChoices channels, QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("PropertyList"));
    setColumnCount(2);
    setHeaderLabels({Tr(kNameHeader), Tr(kValueHeader)});
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new PropertyEditors(std::move(channels), this));
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (element_ != nullptr && column == kValueColumn)
            element_->SetValue(item->data(kValueColumn, kKeyRole).toString().toStdString(),
                               item->text(kValueColumn).toStdString());
    });
}

void PropertyList::Show(Element* element)
{
    FinishEditing();
    const QSignalBlocker quiet(this);
    clear();
    element_ = element;
    if (element == nullptr)
        return;
    for (const Property& property : element->Properties()) {
        auto* item = new QTreeWidgetItem(
            this, {QString::fromStdString(property.name), QString::fromStdString(property.value)});
        item->setData(kValueColumn, kEditorRole, static_cast<int>(property.editor));
        item->setData(kValueColumn, kQuantityRole, static_cast<int>(property.quantity));
        item->setData(kValueColumn, kKeyRole, QString::fromStdString(property.key));
        item->setFlags(property.editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable);
    }
}

QTreeWidgetItem* PropertyList::ItemOf(const QString& name) const
{
    const QList<QTreeWidgetItem*> found = findItems(name, Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.front();
}

void PropertyList::FinishEditing()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        if (QWidget* editor = indexWidget(model()->index(row, kValueColumn))) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
}

} // namespace zarva::gui
