#pragma once

#include "core/diagrams/FrequencyChart.h"

#include <QDialog>

#include <optional>

class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace zarva {
class Oscillogram;
}

namespace zarva::gui {

// "Настройки частотной диаграммы": the window length in periods, the number of lines, percent
// or absolute values and the base of the percentages. Numbers out of range are refused with
// the range message and the dialog stays open.
class FourieDiagramSettingsDlg : public QDialog {
    Q_OBJECT
public:
    // The record bounds the periods by its whole periods, and the lines by the lines a
    // window of the chosen periods resolves.
    FourieDiagramSettingsDlg(const FrequencyChartSettings& settings, const Oscillogram& record,
                             QWidget* parent = nullptr);

    // The values accepted by OK.
    const FrequencyChartSettings& Settings() const { return settings_; }

    void accept() override;

private:
    // The edit's number within [lowest, highest], or nothing after telling the user.
    std::optional<int> ReadNumber(QLineEdit& edit, int lowest, int highest);

    FrequencyChartSettings settings_;
    const Oscillogram& record_;
    QLineEdit* periods_;
    QLineEdit* harmonics_;
    QRadioButton* percent_;
    QRadioButton* absolute_;
    QGroupBox* normalisation_;
    QRadioButton* byFundamental_;
    QRadioButton* byRms_;
};

} // namespace zarva::gui
