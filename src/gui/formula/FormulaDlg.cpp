#include "gui/formula/FormulaDlg.h"

#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"

#include "core/formula/FormulaPatterns.h"
#include "core/model/Oscillogram.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

constexpr int kAddTitle = 4751;
constexpr int kChannelName = 4752;
constexpr int kFormulaType = 4753;
constexpr int kFormula = 4754;
constexpr int kArgument = 4755;
constexpr int kEditTitle = 4756;
constexpr int kSyntaxError = 343;
constexpr int kNameExists = 473;

const FormulaType* TypeOf(const QTreeWidgetItem* item)
{
    return item == nullptr ? nullptr : reinterpret_cast<const FormulaType*>(item->data(0, Qt::UserRole).value<quintptr>());
}

} // namespace

FormulaDlg::FormulaDlg(const Oscillogram& record, QWidget* parent, std::optional<FormulaEntry> editing)
    : QDialog(parent), record_(record), editing_(std::move(editing))
{
    setObjectName(QStringLiteral("FormulaDlg"));
    setWindowTitle(Tr(editing_ ? kEditTitle : kAddTitle));
    for (const Channel& channel : record.channels)
        channelNames_.append(QString::fromStdString(channel.Name()));

    types_ = new QTreeWidget(this);
    types_->setObjectName(QStringLiteral("formulaTypes"));
    types_->setHeaderLabel(Tr(kFormulaType));
    FillTypes(types_->invisibleRootItem(), FormulaTypes());
    auto* right = new QVBoxLayout;
    arguments_ = new QFormLayout;
    right->addLayout(arguments_);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(types_, 3);
    columns->addLayout(right, 2);

    formula_ = new QLineEdit(this);
    formula_->setObjectName(QStringLiteral("formula"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("channelName"));
    auto* fields = new QFormLayout;
    fields->addRow(Tr(kFormula), formula_);
    fields->addRow(Tr(kChannelName), name_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(fields);
    AddOkCancel(*this, *layout);

    connect(types_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { ShowType(item); });
    types_->setCurrentItem(types_->topLevelItem(0));
    if (editing_) {
        formula_->setText(QString::fromStdString(editing_->formula));
        name_->setText(QString::fromStdString(editing_->name));
    }
    resize(640, 460);
}

void FormulaDlg::FillTypes(QTreeWidgetItem* parent, const std::vector<FormulaType>& types)
{
    for (const FormulaType& type : types) {
        auto* item = new QTreeWidgetItem(parent, QStringList{QString::fromStdString(type.Caption())});
        item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&type)));
        FillTypes(item, type.children);
    }
}

// A group only opens; a type with a pattern asks for its arguments; the free type takes
// the formula as typed.
void FormulaDlg::ShowType(QTreeWidgetItem* item)
{
    const FormulaType* type = TypeOf(item);
    if (type == nullptr || !type->children.empty())
        return;
    type_ = type;
    while (arguments_->rowCount() > 0)
        arguments_->removeRow(0);
    choices_.clear();
    for (int i = 0; i < type->ArgumentCount(); ++i) {
        auto* choice = new QComboBox(this);
        choice->setObjectName(QStringLiteral("argument%1").arg(i + 1));
        choice->setEditable(true);
        choice->addItems(channelNames_);
        choice->setCurrentIndex(-1);
        connect(choice, &QComboBox::currentTextChanged, this, &FormulaDlg::UpdateFormula);
        arguments_->addRow(Tr(kArgument, QString::number(i + 1)), choice);
        choices_.push_back(choice);
    }
    const bool free = type->pattern.empty();
    formula_->setReadOnly(!free);
    if (free)
        formula_->clear();
    else
        UpdateFormula();
}

// A chosen channel goes in by its name, quoted when the formula would not read it as one;
// anything else (a number) as typed.
QString FormulaDlg::Argument(const QComboBox& choice) const
{
    const QString text = choice.currentText().trimmed();
    if (!channelNames_.contains(text))
        return text;
    return QString::fromStdString(QuoteChannelName(text.toStdString()));
}

void FormulaDlg::UpdateFormula()
{
    if (type_ == nullptr || type_->pattern.empty())
        return;
    std::vector<std::string> arguments;
    for (const QComboBox* choice : choices_)
        arguments.push_back(Argument(*choice).toStdString());
    formula_->setText(QString::fromStdString(BuildFormula(type_->pattern, arguments)));
}

FormulaEntry FormulaDlg::Entry() const
{
    return {name_->text().trimmed().toStdString(), formula_->text().trimmed().toStdString()};
}

void FormulaDlg::Refuse(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}

void FormulaDlg::accept()
{
    const FormulaEntry entry = Entry();
    int refusal = CheckNewChannelName(record_, entry.name);
    if (refusal == kNameExists && editing_ && entry.name == editing_->name)
        refusal = 0;
    if (refusal != 0) {
        Refuse(Tr(refusal));
        name_->setFocus();
        return;
    }
    if (entry.formula.empty()) {
        Refuse(Tr(kSyntaxError));
        return;
    }
    if (check_) {
        if (const QString problem = check_(entry); !problem.isEmpty()) {
            Refuse(problem);
            return;
        }
    }
    QDialog::accept();
}

} // namespace zarva::gui
