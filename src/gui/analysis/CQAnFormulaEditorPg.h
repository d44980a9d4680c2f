#pragma once

#include "gui/analysis/CQAnPropPg.h"

class QPushButton;
class QTreeWidget;

namespace zarva::gui {

// "Редактор формул": the record's computed channels, added, edited, deleted, loaded and saved
// through the record's computed-channel commands.
class CQAnFormulaEditorPg : public CQAnPropPg {
    Q_OBJECT
public:
    CQAnFormulaEditorPg(CZarvaDoc& document, QWidget* parent);
    void Plan(FormulaPlan&) override {}
    bool MakesChannels() const override { return false; }
    void RecordChanged() override;

    QTreeWidget& List() const { return *list_; }

private:
    QString Current() const;
    void UpdateStates();

    QTreeWidget* list_;
    QPushButton *edit_, *delete_, *deleteAll_, *save_;
};

} // namespace zarva::gui
