#include "gui/merge/MergeBar.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace zarva::gui {
namespace {

constexpr int kReferenceLabel = 4995;
constexpr int kPastedLabel = 4996;
constexpr int kMergingPanel = 486;

void Refill(QComboBox& list, const std::vector<std::string>& names)
{
    const QString chosen = list.currentText();
    list.clear();
    for (const std::string& name : names)
        list.addItem(QString::fromStdString(name));
    const int kept = list.findText(chosen);
    list.setCurrentIndex(kept >= 0 ? kept : 0);
}

} // namespace

MergeBar::MergeBar(CommandActions& actions, QWidget* parent) : QDockWidget(Tr(kMergingPanel), parent)
{
    setObjectName(QStringLiteral("MergeBar"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto* body = new QWidget(this);
    auto* layout = new QHBoxLayout(body);
    reference_ = new QComboBox(body);
    pasted_ = new QComboBox(body);
    method_ = new QComboBox(body);
    for (const int name : kSyncMethodNames)
        method_->addItem(Tr(name));
    layout->addWidget(new QLabel(Tr(kReferenceLabel), body));
    layout->addWidget(reference_);
    layout->addWidget(new QLabel(Tr(kPastedLabel), body));
    layout->addWidget(pasted_);
    layout->addWidget(method_);
    for (const int command : {cmd::kSynchronise, cmd::kMerge}) {
        auto* button = new QToolButton(body);
        button->setDefaultAction(actions.Action(command));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        layout->addWidget(button);
    }
    status_ = new QLabel(body);
    layout->addWidget(status_, 1);
    setWidget(body);
}

void MergeBar::ShowDocument(CZarvaDoc* document)
{
    if (document != document_)
        status_->clear();
    document_ = document;
    Refill();
}

void MergeBar::Refill()
{
    std::vector<std::string> own;
    std::vector<std::string> pasted;
    bool anyPasted = false;
    if (document_) {
        for (const Channel& channel : document_->Core().oscillogram.channels) {
            anyPasted = anyPasted || channel.HasFlag(display::kPasted);
            if (channel.IsAnalog())
                (channel.HasFlag(display::kPasted) ? pasted : own).push_back(channel.name);
        }
    }
    zarva::gui::Refill(*reference_, own);
    zarva::gui::Refill(*pasted_, pasted);
    setVisible(anyPasted);
}

std::string MergeBar::Reference() const { return reference_->currentText().toStdString(); }
std::string MergeBar::Pasted() const { return pasted_->currentText().toStdString(); }
SyncMethod MergeBar::Method() const { return static_cast<SyncMethod>(std::max(method_->currentIndex(), 0)); }
void MergeBar::SetStatus(const QString& text) { status_->setText(text); }
QString MergeBar::Status() const { return status_->text(); }

} // namespace zarva::gui
