#include "gui/app/StoProgressDlg.h"

#include "gui/app/Texts.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zarva::gui {

StoProgressDlg::StoProgressDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Tr(text::kConvertingRecord));
    setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    info_ = new QLabel(this);
    layout->addWidget(info_);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    layout->addWidget(bar_);
}

void StoProgressDlg::SetProgressBarStep(int step)
{
    show();
    bar_->setValue(qBound(0, step, 100));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void StoProgressDlg::SetProgressInfoAbout(const std::string& text)
{
    SetProgressInfoAboutFast(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void StoProgressDlg::SetProgressInfoAboutFast(const std::string& text)
{
    show();
    info_->setText(QString::fromStdString(text));
}

} // namespace zarva::gui
