#include "gui/app/ProgramSettingsDlg.h"

#include "gui/app/AppSettings.h"
#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kTitle = 4620;
constexpr int kDstFolder = 4621;
constexpr int kBrowse = 4622;
constexpr int kUtc = 4623;
constexpr int kLanguage = 4624;
constexpr int kRussian = 4625;
constexpr int kEnglish = 4626;
constexpr int kPrinting = 4627;
constexpr int kMargins = 4628;
constexpr int kLeft = 4629;
constexpr int kRight = 4630;
constexpr int kTop = 4631;
constexpr int kBottom = 4632;
constexpr int kOrientation = 4633;
constexpr int kPortrait = 4634;
constexpr int kLandscape = 4635;
constexpr int kLanguageAtRestart = 4636;
constexpr int kGeneral = 4637;
constexpr int kSeriesMemory = 4638;
} // namespace ids

} // namespace

ProgramSettingsDlg::ProgramSettingsDlg(AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setWindowTitle(Tr(ids::kTitle));
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    pages->addTab(BuildGeneralPage(), Tr(ids::kGeneral));
    pages->addTab(BuildPrintPage(), Tr(ids::kPrinting));
    layout->addWidget(pages);
    AddOkCancel(*this, *layout);
}

QWidget* ProgramSettingsDlg::BuildGeneralPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    auto* folderRow = new QHBoxLayout;
    dstFolder_ = new QLineEdit(settings_.program.dstFolder, page);
    dstFolder_->setObjectName(QStringLiteral("DstFolder"));
    dstFolder_->setMinimumWidth(280);
    auto* browse = new QPushButton(Tr(ids::kBrowse), page);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, Tr(ids::kDstFolder), dstFolder_->text());
        if (!folder.isEmpty())
            dstFolder_->setText(folder);
    });
    folderRow->addWidget(dstFolder_, 1);
    folderRow->addWidget(browse);
    form->addRow(Tr(ids::kDstFolder), folderRow);
    utcFor2013_ = new QCheckBox(Tr(ids::kUtc), page);
    utcFor2013_->setObjectName(QStringLiteral("UtcFor2013"));
    utcFor2013_->setChecked(settings_.program.utcFor2013);
    form->addRow(utcFor2013_);
    language_ = new QComboBox(page);
    language_->setObjectName(QStringLiteral("Language"));
    language_->addItem(Tr(ids::kRussian), QStringLiteral("ru"));
    language_->addItem(Tr(ids::kEnglish), QStringLiteral("en"));
    language_->setCurrentIndex(settings_.program.language == QLatin1String("en") ? 1 : 0);
    form->addRow(Tr(ids::kLanguage), language_);
    seriesMemory_ = new QSpinBox(page);
    seriesMemory_->setObjectName(QStringLiteral("SeriesMemory"));
    seriesMemory_->setRange(0, std::max(ProgramParameters::DefaultSeriesMemoryMb() * 4, settings_.program.seriesMemoryMb));
    seriesMemory_->setValue(settings_.program.seriesMemoryMb);
    form->addRow(Tr(ids::kSeriesMemory), seriesMemory_);
    return page;
}

QWidget* ProgramSettingsDlg::BuildPrintPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    const PrintParameters& print = settings_.print;
    const int values[4] = {print.leftMargin, print.rightMargin, print.topMargin, print.bottomMargin};
    const int labels[4] = {ids::kLeft, ids::kRight, ids::kTop, ids::kBottom};
    auto* marginsRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        margins_[i] = new QDoubleSpinBox(page);
        margins_[i]->setObjectName(QStringLiteral("Margin%1").arg(i));
        margins_[i]->setRange(0.0, 100.0);
        margins_[i]->setDecimals(1);
        margins_[i]->setValue(values[i] / 100.0);
        marginsRow->addWidget(new QLabel(Tr(labels[i]), page));
        marginsRow->addWidget(margins_[i]);
    }
    form->addRow(Tr(ids::kMargins), marginsRow);
    orientation_ = new QComboBox(page);
    orientation_->setObjectName(QStringLiteral("Orientation"));
    orientation_->addItem(Tr(ids::kPortrait), 1);
    orientation_->addItem(Tr(ids::kLandscape), 2);
    orientation_->setCurrentIndex(print.pageOrientation == 2 ? 1 : 0);
    form->addRow(Tr(ids::kOrientation), orientation_);
    return page;
}

void ProgramSettingsDlg::accept()
{
    ProgramParameters& program = settings_.program;
    program.dstFolder = dstFolder_->text().trimmed();
    program.utcFor2013 = utcFor2013_->isChecked();
    const QString language = language_->currentData().toString();
    const bool languageChanged = language != (program.language.isEmpty() ? QStringLiteral("ru") : program.language);
    program.language = language;
    program.seriesMemoryMb = seriesMemory_->value();
    PrintParameters& print = settings_.print;
    int* targets[4] = {&print.leftMargin, &print.rightMargin, &print.topMargin, &print.bottomMargin};
    for (int i = 0; i < 4; ++i)
        *targets[i] = qRound(margins_[i]->value() * 100);
    print.pageOrientation = orientation_->currentData().toInt();
    if (languageChanged)
        QMessageBox::information(this, windowTitle(), Tr(ids::kLanguageAtRestart));
    QDialog::accept();
}

} // namespace zarva::gui
