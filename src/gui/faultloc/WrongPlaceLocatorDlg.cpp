#include "gui/faultloc/WrongPlaceLocatorDlg.h"

#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DialogButtons.h"
#include "gui/app/Icons.h"
#include "gui/app/Texts.h"
#include "gui/faultloc/LocatorFiles.h"
#include "gui/faultloc/ModelTree.h"
#include "gui/faultloc/PropertyList.h"

#include "core/faultloc/ModelValidation.h"
#include "core/faultloc/OmpFile.h"
#include "core/model/ZarvaException.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

using namespace WrongPlaceLocatorData;

constexpr int kTitle = 336;
constexpr int kOmpFilter = 3511;
constexpr int kBadFileFormat = 330;

// The algorithms of the method menu, in its order, with their names.
constexpr std::pair<int, int> kAlgorithms[] = {{kIsolatedNeutral, 3318}, {kGroundedNeutral, 3317}, {kTwoEnded, 3316}};

Section* SectionOf(Element* element)
{
    if (auto* section = dynamic_cast<Section*>(element))
        return section;
    return element != nullptr ? dynamic_cast<Section*>(element->Parent()) : nullptr;
}

} // namespace

WrongPlaceLocatorDlg::WrongPlaceLocatorDlg(const LineModel& model, const Oscillogram& record, const QString& recordPath,
                                           QWidget* parent)
    : QDialog(parent), model_(model), recordPath_(recordPath)
{
    setObjectName(QStringLiteral("WrongPlaceLocatorDlg"));
    setWindowTitle(Tr(kTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildToolBar());
    auto* split = new QSplitter(Qt::Horizontal, this);
    tree_ = new ModelTree(split);
    properties_ = new PropertyList(ChannelChoices(record), split);
    layout->addWidget(split, 1);
    AddOkCancel(*this, *layout);
    resize(780, 440);
    split->setSizes({220, 560});

    connect(tree_, &ModelTree::elementSelected, this, [this](Element* element) {
        properties_->Show(element);
        UpdateCommands();
    });
    ShowModel(nullptr);
    ShowAlgorithm();
}

QToolBar* WrongPlaceLocatorDlg::BuildToolBar()
{
    auto* bar = new QToolBar(this);
    AddCommand(*bar, cmd::kLocatorMethod, {});
    auto* menu = new QMenu(this);
    algorithms_ = new QActionGroup(this);
    for (const auto& [type, nameId] : kAlgorithms) {
        QAction* entry = menu->addAction(Tr(nameId));
        entry->setCheckable(true);
        entry->setData(type);
        algorithms_->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, type = type] {
            model_.type = type;
            ShowAlgorithm();
        });
    }
    QAction* method = actions_.at(cmd::kLocatorMethod);
    method->setMenu(menu);
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(method))) {
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    bar->addSeparator();
    AddCommand(*bar, cmd::kLocatorAddSection, [this] { AddSection(); });
    AddCommand(*bar, cmd::kLocatorAddParallelLine, [this] { ShowModel(&SelectedSection()->AddParallelLine()); });
    AddCommand(*bar, cmd::kLocatorAddTap, [this] { ShowModel(&SelectedSection()->AddConnection()); });
    AddCommand(*bar, cmd::kLocatorRemove, [this] { RemoveSelected(); });
    AddCommand(*bar, cmd::kLocatorMoveUp, [this] { MoveSelected(-1); });
    AddCommand(*bar, cmd::kLocatorMoveDown, [this] { MoveSelected(1); });
    bar->addSeparator();
    AddCommand(*bar, cmd::kLocatorSaveFile, [this] { SaveToFile(); });
    AddCommand(*bar, cmd::kLocatorLoadFile, [this] { LoadFromFile(); });
    return bar;
}

void WrongPlaceLocatorDlg::AddCommand(QToolBar& bar, int command, std::function<void()> handler)
{
    QAction* action = bar.addAction(CommandIcon(command), CommandShortTip(command));
    action->setToolTip(CommandShortTip(command));
    action->setStatusTip(CommandDescription(command));
    if (handler)
        connect(action, &QAction::triggered, this, std::move(handler));
    actions_.emplace(command, action);
}

QAction* WrongPlaceLocatorDlg::Action(int command) const
{
    const auto found = actions_.find(command);
    return found != actions_.end() ? found->second : nullptr;
}

QAction* WrongPlaceLocatorDlg::AlgorithmAction(int type) const
{
    for (QAction* entry : algorithms_->actions()) {
        if (entry->data().toInt() == type)
            return entry;
    }
    return nullptr;
}

void WrongPlaceLocatorDlg::ShowModel(const Element* current)
{
    properties_->Show(nullptr);
    tree_->Show(model_, current);
}

// The method button names the algorithm in use; a type the menu does not know checks none.
void WrongPlaceLocatorDlg::ShowAlgorithm()
{
    QAction* chosen = AlgorithmAction(model_.type);
    if (chosen != nullptr)
        chosen->setChecked(true);
    else if (QAction* checked = algorithms_->checkedAction())
        checked->setChecked(false);
    QAction* method = actions_.at(cmd::kLocatorMethod);
    method->setText(chosen != nullptr ? chosen->text() : CommandShortTip(cmd::kLocatorMethod));
}

void WrongPlaceLocatorDlg::UpdateCommands()
{
    const Element* selected = tree_->SelectedElement();
    const bool child = selected != nullptr && !selected->IsStation();
    const bool inSection = SelectedSection() != nullptr;
    actions_.at(cmd::kLocatorAddSection)->setEnabled(selected != nullptr);
    actions_.at(cmd::kLocatorAddParallelLine)->setEnabled(inSection);
    actions_.at(cmd::kLocatorAddTap)->setEnabled(inSection);
    actions_.at(cmd::kLocatorRemove)->setEnabled(child);
    actions_.at(cmd::kLocatorMoveUp)->setEnabled(child && tree_->CanMoveSelected(-1));
    actions_.at(cmd::kLocatorMoveDown)->setEnabled(child && tree_->CanMoveSelected(1));
}

Section* WrongPlaceLocatorDlg::SelectedSection() const
{
    return SectionOf(tree_->SelectedElement());
}

// After the selected section or the section of the selected child; at the end of the
// selected station.
void WrongPlaceLocatorDlg::AddSection()
{
    Element* selected = tree_->SelectedElement();
    if (selected == nullptr)
        return;
    if (Section* section = SelectedSection())
        ShowModel(&section->AddSectionAfter());
    else
        ShowModel(&static_cast<Station*>(selected)->AddSectionAfter(nullptr));
}

void WrongPlaceLocatorDlg::RemoveSelected()
{
    Element* selected = tree_->SelectedElement();
    if (selected == nullptr || selected->IsStation())
        return;
    Element* parent = selected->Parent();
    properties_->Show(nullptr);
    selected->Remove();
    ShowModel(parent);
}

void WrongPlaceLocatorDlg::MoveSelected(int step)
{
    Element* selected = tree_->SelectedElement();
    if (selected == nullptr)
        return;
    properties_->FinishEditing();
    if (step < 0 ? selected->MoveUp() : selected->MoveDown())
        ShowModel(selected);
}

void WrongPlaceLocatorDlg::SaveToFile()
{
    properties_->FinishEditing();
    const QString path = AskSaveName(this, kOmpFilter, BesideRecord(recordPath_, QStringLiteral(".omp")));
    if (path.isEmpty())
        return;
    try {
        SaveOmpFile(model_, path.toStdString());
    } catch (const std::exception& error) {
        QMessageBox::warning(this, Tr(text::kAppName), QString::fromStdString(error.what()));
    }
}

// A file that holds no settings is refused with a message; the model stays as it was.
void WrongPlaceLocatorDlg::LoadFromFile()
{
    properties_->FinishEditing();
    const QString path = AskOpenName(this, kOmpFilter, QFileInfo(recordPath_).path());
    if (path.isEmpty())
        return;
    QString failure;
    try {
        properties_->Show(nullptr);
        if (!LoadOmpFile(model_, path.toStdString()))
            failure = QString::fromStdString(CZarvaException(kBadFileFormat, path.toStdString()).what());
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    ShowModel(nullptr);
    ShowAlgorithm();
    if (!failure.isEmpty())
        QMessageBox::warning(this, Tr(text::kAppName), failure);
}

void WrongPlaceLocatorDlg::accept()
{
    properties_->FinishEditing();
    if (const std::optional<CZarvaException> error = Validate(model_)) {
        QMessageBox::warning(this, Tr(text::kAppName), QString::fromStdString(error->what()));
        return;
    }
    QDialog::accept();
}

} // namespace zarva::gui
