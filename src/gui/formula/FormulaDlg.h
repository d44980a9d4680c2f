#pragma once

#include "core/formula/FrmFile.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace zarva {
class Oscillogram;
struct FormulaType;
}

namespace zarva::gui {

// "Добавить новую формулу": a formula type chosen in a tree, its arguments from the record's
// channels (or typed numbers), and the name of the channel it makes; or, for the type
// "Формула", the formula typed whole. The dialog checks the name and leaves the record alone:
// the caller adds the formula, from an accept check when a failing formula should keep the
// dialog open. Given a pair, it edits that pair, whose own name stays allowed.
class FormulaDlg : public QDialog {
    Q_OBJECT
public:
    using AcceptCheck = std::function<QString(const FormulaEntry&)>;

    FormulaDlg(const Oscillogram& record, QWidget* parent, std::optional<FormulaEntry> editing = std::nullopt);

    // The name and the formula as they stand.
    FormulaEntry Entry() const;
    // Run on OK once the name passes: a non-empty text is shown and keeps the dialog open.
    void SetAcceptCheck(AcceptCheck check) { check_ = std::move(check); }

    void accept() override;

private:
    void FillTypes(QTreeWidgetItem* parent, const std::vector<FormulaType>& types);
    void ShowType(QTreeWidgetItem* item);
    void UpdateFormula();
    QString Argument(const QComboBox& choice) const;
    void Refuse(const QString& text);

    const Oscillogram& record_;
    std::optional<FormulaEntry> editing_;
    QStringList channelNames_;
    QTreeWidget* types_;
    QFormLayout* arguments_;
    std::vector<QComboBox*> choices_;
    QLineEdit* formula_;
    QLineEdit* name_;
    const FormulaType* type_ = nullptr;
    AcceptCheck check_;
};

} // namespace zarva::gui
