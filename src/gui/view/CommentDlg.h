#pragma once

#include "core/model/CodePage.h"

#include <QDialog>

#include <string>

class QComboBox;
class QPlainTextEdit;

namespace zarva::gui {

class CZarvaDoc;

// "Комментарии к диаграмме": one multi-line text, with a code-page selector when it edits a
// record's header text.
class CommentDlg : public QDialog {
    Q_OBJECT
public:
    CommentDlg(const std::string& text, QWidget* parent);

    // Shows the selector at `page`; `bytes` are the header as the record holds them, read
    // afresh in the page chosen.
    void ShowCodePages(CodePage page, std::string bytes);

    QPlainTextEdit& Editor() const { return *editor_; }
    QComboBox& CodePages() const { return *pages_; }
    // The text as it was given while the user has not changed it: the editor gives some
    // characters back as others (a no-break space as a space).
    std::string Text() const;
    CodePage Page() const;

private:
    void SetText(const std::string& text);
    void SwitchPage();

    QPlainTextEdit* editor_;
    QWidget* pageRow_;
    QComboBox* pages_;
    std::string given_;
    QString givenAsShown_;
    std::string bytes_;
    CodePage page_ = CodePage::Windows1251;
};

// Command "Комментарии": the record's header text in the dialog; a change is kept with the
// record and marks it modified.
void EditRecordHeader(CZarvaDoc& document);

} // namespace zarva::gui
