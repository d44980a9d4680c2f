#include "gui/formula/ComputedChannelCommands.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/SaveAsDialog.h"
#include "gui/app/Texts.h"
#include "gui/formula/FormulaDlg.h"

#include "core/formats/LoadWarnings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>

namespace zarva::gui {
namespace {

constexpr int kFrmFilter = 4758;
constexpr int kDeleteOne = 4759;
constexpr int kDeleteAll = 4760;

CalcChannels& SetOf(CZarvaDoc& document)
{
    return document.Core().oscillogram.calcChannels;
}

// The selected channels that the set computes, in record order.
QStringList SelectedComputed(const CZarvaDoc& document)
{
    const Oscillogram& record = document.Core().oscillogram;
    QStringList selected;
    for (const Channel& channel : record.channels) {
        if (channel.selected && record.calcChannels.Computes(channel.Name()))
            selected.append(QString::fromStdString(channel.Name()));
    }
    return selected;
}

void Warn(CZarvaDoc& document, const std::exception& error)
{
    QMessageBox::warning(document.Services().DialogParent(), Tr(text::kAppName), QString::fromStdString(error.what()));
}

bool Confirmed(CZarvaDoc& document, const QString& question)
{
    return QMessageBox::question(document.Services().DialogParent(), Tr(text::kAppName), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// Channels have come or gone: cursors kept within the record, every window redrawn.
void SetChanged(CZarvaDoc& document)
{
    const Oscillogram& record = document.Core().oscillogram;
    CursorSet cursors = document.Core().cursors;
    cursors.Clamp(record.SampleCount(), record.channels.size());
    document.SetCursors(cursors);
    document.SetModifiedFlag();
    document.NotifyRecordChanged();
}

} // namespace

void AddFormula(CZarvaDoc& document)
{
    FormulaDlg dialog(document.Core().oscillogram, document.Services().DialogParent());
    dialog.SetAcceptCheck([&document](const FormulaEntry& entry) {
        try {
            SetOf(document).AddComputed(entry.name, entry.formula);
        } catch (const std::exception& error) {
            return QString::fromStdString(error.what());
        }
        return QString();
    });
    if (dialog.exec() == QDialog::Accepted)
        SetChanged(document);
}

void EditFormula(CZarvaDoc& document, const QString& name)
{
    const std::vector<FormulaEntry> entries = SetOf(document).Entries();
    const auto old = std::ranges::find(entries, name.toStdString(), &FormulaEntry::name);
    if (old == entries.end())
        return;
    FormulaDlg dialog(document.Core().oscillogram, document.Services().DialogParent(), *old);
    dialog.SetAcceptCheck([&document, old = *old](const FormulaEntry& entry) {
        CalcChannels& set = SetOf(document);
        try {
            set.Remove(old.name);
        } catch (const std::exception& error) {
            return QString::fromStdString(error.what());
        }
        try {
            set.AddComputed(entry.name, entry.formula);
        } catch (const std::exception& error) {
            set.Add(old.name, old.formula);
            set.Compute();
            return QString::fromStdString(error.what());
        }
        return QString();
    });
    if (dialog.exec() == QDialog::Accepted)
        SetChanged(document);
}

namespace {

QString FrmFilters()
{
    return QtFilters(FiltersOf({kFrmFilter})).join(QStringLiteral(";;"));
}

} // namespace

void LoadFormulas(CZarvaDoc& document)
{
    const QString path = QFileDialog::getOpenFileName(document.Services().DialogParent(), QString(),
                                                      QFileInfo(document.Path()).absolutePath(), FrmFilters());
    if (path.isEmpty())
        return;
    // An unreadable file leaves the set as it was; the formulas of the file that cannot be
    // computed are kept, without values, and named.
    try {
        SetOf(document).LoadFrm(path.toStdString());
    } catch (const std::exception& error) {
        Warn(document, error);
        return;
    }
    SetChanged(document);
    QStringList failures;
    for (const std::string& failure : FormulaFailures(SetOf(document)))
        failures.append(QString::fromStdString(failure));
    if (!failures.isEmpty())
        QMessageBox::warning(document.Services().DialogParent(), Tr(text::kAppName), failures.join(QLatin1Char('\n')));
}

void SaveFormulas(CZarvaDoc& document)
{
    const QString proposed = QFileInfo(document.Path()).completeBaseName() + QStringLiteral(".frm");
    QString path = QFileDialog::getSaveFileName(document.Services().DialogParent(), QString(),
                                                QFileInfo(document.Path()).absoluteDir().filePath(proposed), FrmFilters());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".frm");
    try {
        SetOf(document).SaveFrm(path.toStdString());
    } catch (const std::exception& error) {
        Warn(document, error);
    }
}

void DeleteComputed(CZarvaDoc& document, const QStringList& names)
{
    if (names.isEmpty() || !Confirmed(document, Tr(kDeleteOne, names.join(QStringLiteral(", ")))))
        return;
    try {
        for (const QString& name : names)
            SetOf(document).Remove(name.toStdString());
    } catch (const std::exception& error) {
        Warn(document, error);
    }
    SetChanged(document);
}

void DeleteAllComputed(CZarvaDoc& document)
{
    if (!Confirmed(document, Tr(kDeleteAll)))
        return;
    SetOf(document).RemoveAll();
    SetChanged(document);
}

void RegisterComputedChannelCommands(CZarvaDoc& document)
{
    const auto anyComputed = [&document] { return CommandState{!SetOf(document).Empty()}; };
    document.OnCommand(cmd::kAddFormula, [&document] { AddFormula(document); },
                       [&document] { return CommandState{document.Core().oscillogram.SampleCount() > 0}; });
    document.OnCommand(cmd::kLoadFormulas, [&document] { LoadFormulas(document); });
    document.OnCommand(cmd::kSaveFormulas, [&document] { SaveFormulas(document); }, anyComputed);
    document.OnCommand(cmd::kDeleteComputed, [&document] { DeleteComputed(document, SelectedComputed(document)); },
                       [&document] { return CommandState{!SelectedComputed(document).isEmpty()}; });
    document.OnCommand(cmd::kDeleteAllComputed, [&document] { DeleteAllComputed(document); }, anyComputed);
}

} // namespace zarva::gui
