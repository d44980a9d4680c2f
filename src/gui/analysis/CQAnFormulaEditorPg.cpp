#include "gui/analysis/CQAnFormulaEditorPg.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/Texts.h"
#include "gui/formula/ComputedChannelCommands.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kAdd = 5637;
constexpr int kEdit = 5638;
constexpr int kDelete = 5639;
constexpr int kDeleteAll = 5640;
constexpr int kLoad = 5641;
constexpr int kSave = 5642;
constexpr int kChannel = 5643;
constexpr int kFormula = 5644;
} // namespace ids

} // namespace

CQAnFormulaEditorPg::CQAnFormulaEditorPg(CZarvaDoc& document, QWidget* parent) : CQAnPropPg(document, parent)
{
    auto* page = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({Tr(ids::kChannel), Tr(ids::kFormula)});
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    page->addWidget(list_, 1);
    auto* buttons = new QGridLayout;
    page->addLayout(buttons);
    const auto button = [this, buttons](int id, int row, int column, auto action) {
        auto* b = new QPushButton(Tr(id), this);
        buttons->addWidget(b, row, column);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    button(ids::kAdd, 0, 0, [this] { AddFormula(document_); });
    edit_ = button(ids::kEdit, 0, 1, [this] { EditFormula(document_, Current()); });
    delete_ = button(ids::kDelete, 0, 2, [this] { DeleteComputed(document_, {Current()}); });
    deleteAll_ = button(ids::kDeleteAll, 1, 2, [this] { DeleteAllComputed(document_); });
    button(ids::kLoad, 1, 0, [this] { LoadFormulas(document_); });
    save_ = button(ids::kSave, 1, 1, [this] { SaveFormulas(document_); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { EditFormula(document_, Current()); });
    connect(list_, &QTreeWidget::currentItemChanged, this, &CQAnFormulaEditorPg::UpdateStates);
    RecordChanged();
}

void CQAnFormulaEditorPg::RecordChanged()
{
    const QString current = Current();
    list_->clear();
    for (const FormulaEntry& entry : document_.Core().oscillogram.calcChannels.Entries()) {
        auto* row = new QTreeWidgetItem({QString::fromStdString(entry.name), QString::fromStdString(entry.formula)});
        row->setToolTip(1, row->text(1));
        list_->addTopLevelItem(row);
        if (row->text(0) == current)
            list_->setCurrentItem(row);
    }
    UpdateStates();
}

QString CQAnFormulaEditorPg::Current() const
{
    const QTreeWidgetItem* row = list_->currentItem();
    return row != nullptr ? row->text(0) : QString();
}

void CQAnFormulaEditorPg::UpdateStates()
{
    const bool chosen = list_->currentItem() != nullptr;
    const bool any = list_->topLevelItemCount() > 0;
    edit_->setEnabled(chosen);
    delete_->setEnabled(chosen);
    deleteAll_->setEnabled(any);
    save_->setEnabled(any);
}

} // namespace zarva::gui
