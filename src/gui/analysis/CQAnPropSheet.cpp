#include "gui/analysis/CQAnPropSheet.h"

#include "gui/analysis/CQAnDiffCursPg.h"
#include "gui/analysis/CQAnFormulaEditorPg.h"
#include "gui/analysis/ChannelPages.h"
#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"

#include "core/analysis/QuickAnalysis.h"
#include "core/formats/LoadWarnings.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kCaption = 159;
constexpr int kCalculate = 164;
constexpr int kSymmetrical = 5607;
constexpr int kZeroSequence = 5608;
constexpr int kPhaseImpedances = 5609;
constexpr int kLineImpedances = 5610;
constexpr int kDifferential = 5611;
constexpr int kFormulaEditor = 5612;
constexpr int kValuesAtCursor = 5645;
constexpr int kNoCursor = 5661;
} // namespace ids

} // namespace

CQAnPropSheet::CQAnPropSheet(CZarvaDoc& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setWindowTitle(Tr(ids::kCaption));
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    layout->addWidget(pages_);
    const auto add = [this](CQAnPropPg* page, int titleId) {
        pageList_.push_back(page);
        pages_->addTab(page, Tr(titleId));
    };
    add(new CQAnSymmSostPg(document, pages_), ids::kSymmetrical);
    add(new CQAnNullPoslPg(document, pages_), ids::kZeroSequence);
    add(new CQAnPhaseSoprotPg(document, pages_), ids::kPhaseImpedances);
    add(new CQAnMezphaseSoedPg(document, pages_), ids::kLineImpedances);
    add(new CQAnDiffCursPg(document, pages_), ids::kDifferential);
    add(new CQAnFormulaEditorPg(document, pages_), ids::kFormulaEditor);
    cursor_ = new QLabel(this);
    layout->addWidget(cursor_);
    AddOkCancel(*this, *layout, ids::kCalculate);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) { opened_.insert(index); });
    connect(&document, &CZarvaDoc::cursorsChanged, this, &CQAnPropSheet::ShowCursor);
    connect(&document, &CZarvaDoc::recordChanged, this, [this] {
        for (CQAnPropPg* page : pageList_)
            page->RecordChanged();
        ShowCursor();
    });
    ShowCursor();
}

CQAnPropPg& CQAnPropSheet::Page(int index) const
{
    return *pageList_.at(static_cast<std::size_t>(index));
}

void CQAnPropSheet::ShowCursor()
{
    const zarva::Document& core = document_.Core();
    const VerticalCursor& first = core.cursors.Vertical(0);
    const auto& times = core.oscillogram.sampleTimes;
    const bool placed = first.active && first.sample >= 0 && static_cast<std::size_t>(first.sample) < times.size();
    const std::int64_t sample = placed ? first.sample : -1;
    cursor_->setText(placed ? Tr(ids::kValuesAtCursor, QStringLiteral("%1 ms").arg(times[static_cast<std::size_t>(sample)] / 1000.0))
                            : Tr(ids::kNoCursor));
    for (CQAnPropPg* page : pageList_)
        page->ShowValuesAt(sample);
}

bool CQAnPropSheet::Calculate()
{
    Oscillogram& record = document_.Core().oscillogram;
    FormulaPlan plan(record);
    bool planned = false;
    try {
        for (const int index : opened_) {
            if (Page(index).MakesChannels()) {
                Page(index).Plan(plan);
                planned = true;
            }
        }
    } catch (const std::exception& error) {
        QMessageBox::warning(this, Tr(text::kAppName), QString::fromStdString(error.what()));
        return false;
    }
    if (!planned)
        return true;
    AddPlanned(record, plan.Entries());
    for (const int index : opened_)
        Page(index).Calculated();
    document_.SetModifiedFlag();
    document_.NotifyRecordChanged();
    // Open diagrams take up the channel pairs the pages chose for them.
    document_.NotifySettingsReplaced();
    QStringList failures;
    for (const std::string& failure : FormulaFailures(record.calcChannels))
        failures.append(QString::fromStdString(failure));
    if (!failures.isEmpty())
        QMessageBox::warning(this, Tr(text::kAppName), failures.join(QLatin1Char('\n')));
    return true;
}

void CQAnPropSheet::accept()
{
    if (Calculate())
        QDialog::accept();
}

CQAnPropSheet* ShowQuickAnalysis(CZarvaDoc& document)
{
    CQAnPropSheet* sheet = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* open = qobject_cast<CQAnPropSheet*>(window);
        if (open != nullptr && &open->Document() == &document)
            sheet = open;
    }
    if (sheet == nullptr) {
        sheet = new CQAnPropSheet(document, document.Services().DialogParent());
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(&document, &QObject::destroyed, sheet, &QWidget::close);
    }
    sheet->show();
    sheet->raise();
    sheet->activateWindow();
    return sheet;
}

void RegisterQuickAnalysisCommand(CZarvaDoc& document)
{
    document.OnCommand(cmd::kQuickAnalysis, [&document] { ShowQuickAnalysis(document); },
                       [&document] { return CommandState{document.Core().oscillogram.SampleCount() > 0}; });
}

} // namespace zarva::gui
