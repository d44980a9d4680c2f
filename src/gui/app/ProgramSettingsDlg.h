#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace zarva::gui {

class AppSettings;

// Command 129: the folder of ".dst" descriptions, UTC for COMTRADE 2013 times, the
// interface language (taking effect at the next start), the memory derived series may keep,
// print margins and orientation.
class ProgramSettingsDlg : public QDialog {
    Q_OBJECT
public:
    ProgramSettingsDlg(AppSettings& settings, QWidget* parent);

    void accept() override;

private:
    QWidget* BuildGeneralPage();
    QWidget* BuildPrintPage();

    AppSettings& settings_;
    QLineEdit* dstFolder_ = nullptr;
    QCheckBox* utcFor2013_ = nullptr;
    QComboBox* language_ = nullptr;
    QSpinBox* seriesMemory_ = nullptr;
    QDoubleSpinBox* margins_[4] = {};
    QComboBox* orientation_ = nullptr;
};

} // namespace zarva::gui
