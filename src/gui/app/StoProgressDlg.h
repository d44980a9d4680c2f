#pragma once

#include "core/formats/ComtradeConverter.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace zarva::gui {

// "Конвертация осциллограммы в формат COMTRADE": the modeless progress of a ".sto"
// conversion, shown when the converter first reports.
class StoProgressDlg : public QDialog, public ConversionProgress {
    Q_OBJECT
public:
    explicit StoProgressDlg(QWidget* parent);

    void SetProgressBarStep(int step) override;
    void SetProgressInfoAbout(const std::string& text) override;
    void SetProgressInfoAboutFast(const std::string& text) override;

private:
    QLabel* info_;
    QProgressBar* bar_;
};

} // namespace zarva::gui
