#include "gui/view/CommentDlg.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"

#include "core/document/HeaderText.h"
#include "core/view/ViewTexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

constexpr CodePage kPages[] = {CodePage::Windows1251, CodePage::Oem866, CodePage::Gbk, CodePage::Windows1252,
                               CodePage::Utf8};

} // namespace

CommentDlg::CommentDlg(const std::string& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Tr(viewtext::kCommentDialogTitle));
    auto* layout = new QVBoxLayout(this);
    editor_ = new QPlainTextEdit(this);
    SetText(text);
    editor_->setMinimumSize(420, 220);
    layout->addWidget(editor_);
    pageRow_ = new QWidget(this);
    auto* pageLayout = new QFormLayout(pageRow_);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pages_ = new QComboBox(pageRow_);
    for (const CodePage page : kPages)
        pages_->addItem(Tr(viewtext::kCodePageNames + static_cast<int>(page)), static_cast<int>(page));
    pageLayout->addRow(Tr(viewtext::kCodePageLabel), pages_);
    pageRow_->hide();
    layout->addWidget(pageRow_);
    AddOkCancel(*this, *layout);
    connect(pages_, &QComboBox::currentIndexChanged, this, &CommentDlg::SwitchPage);
}

void CommentDlg::ShowCodePages(CodePage page, std::string bytes)
{
    bytes_ = std::move(bytes);
    page_ = page;
    {
        const QSignalBlocker quiet(pages_);
        pages_->setCurrentIndex(pages_->findData(static_cast<int>(page)));
    }
    pageRow_->show();
}

void CommentDlg::SetText(const std::string& text)
{
    given_ = text;
    editor_->setPlainText(QString::fromStdString(text));
    givenAsShown_ = editor_->toPlainText();
}

std::string CommentDlg::Text() const
{
    const QString shown = editor_->toPlainText();
    return shown == givenAsShown_ ? given_ : shown.toStdString();
}

CodePage CommentDlg::Page() const
{
    return page_;
}

void CommentDlg::SwitchPage()
{
    const auto chosen = static_cast<CodePage>(pages_->currentData().toInt());
    const std::string text = RereadHeader(bytes_, Text(), page_, chosen);
    page_ = chosen;
    SetText(text);
}

void EditRecordHeader(CZarvaDoc& document)
{
    const Oscillogram& record = document.Core().oscillogram;
    CommentDlg dialog(HeaderShown(record.headerText, record.headerCodePage), document.Services().DialogParent());
    dialog.ShowCodePages(record.headerCodePage, record.headerText);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (ApplyHeader(document.Core(), dialog.Text(), dialog.Page()))
        document.SetModifiedFlag();
}

} // namespace zarva::gui
