#pragma once

#include <QDialog>

class QComboBox;
class QFormLayout;

namespace zarva::gui {

class CZarvaDoc;

// "Параметры осциллограммы": the facts of the record, and the three things the record may
// state wrongly and the user corrects here: its code page, its sampling rate and the
// frequency channel the window measures track.
class RecordParametersDlg : public QDialog {
    Q_OBJECT
public:
    RecordParametersDlg(CZarvaDoc& document, QWidget* parent);

    QComboBox& CodePages() const { return *codePages_; }
    QComboBox& FrequencyReference() const { return *reference_; }
    QComboBox& Rates() const { return *rates_; }
    QString Fact(int labelId) const;

    // Applies the choices to the record; a failure of the fault location done again is shown.
    void accept() override;

private:
    void AddFacts(QFormLayout& form);

    CZarvaDoc& document_;
    QComboBox* codePages_;
    QComboBox* reference_;
    QComboBox* rates_;
};

// Command 32861 of the document.
void RegisterRecordParametersCommand(CZarvaDoc& document);

} // namespace zarva::gui
