#include "gui/merge/MergeCommands.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"
#include "gui/merge/MergeBar.h"
#include "gui/merge/MergeClipboard.h"

#include "core/merge/ChannelPaste.h"
#include "core/merge/ClipboardDocument.h"
#include "core/merge/RecordMerge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>

#include <algorithm>

namespace zarva::gui {
namespace {

void Copy(CZarvaDoc& document)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(MergeMimeData(ClipboardText(document.Core().oscillogram)));
}

bool CanPaste()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard != nullptr && clipboard->mimeData() != nullptr &&
           clipboard->mimeData()->hasFormat(MergeMimeType());
}

void ShowError(CZarvaDoc& document, const QString& text)
{
    QMessageBox::critical(document.Services().DialogParent(), Tr(text::kAppName), text);
}

void Changed(CZarvaDoc& document)
{
    document.SetModifiedFlag();
    document.NotifyRecordChanged();
}

void Paste(CZarvaDoc& document)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const std::optional<std::string> text = MergeText(clipboard != nullptr ? clipboard->mimeData() : nullptr);
    if (!text)
        return;
    try {
        PasteChannels(document.Core(), ParseClipboardText(*text));
    } catch (const std::exception& error) {
        ShowError(document, QString::fromStdString(error.what()));
        return;
    }
    Changed(document);
}

bool HasPasted(const CZarvaDoc& document)
{
    const auto& channels = document.Core().oscillogram.channels;
    return std::any_of(channels.begin(), channels.end(),
                       [](const Channel& channel) { return channel.HasFlag(display::kPasted); });
}

void Synchronise(CZarvaDoc& document, MergeBar& bar)
{
    Document& core = document.Core();
    SyncOutcome outcome;
    try {
        outcome = Synchronise(core, bar.Method(), bar.Reference(), bar.Pasted(), core.cursors.Vertical(0).sample);
    } catch (const std::exception& error) {
        ShowError(document, QString::fromStdString(error.what()));
        return;
    }
    if (outcome.errorMessage != 0)
        ShowError(document, Tr(outcome.errorMessage));
    if (outcome.statusText != 0)
        bar.SetStatus(Tr(outcome.statusText));
    if (outcome.offsetChanged)
        document.NotifyRecordChanged();
}

void Merge(CZarvaDoc& document)
{
    try {
        MergeRecord(document.Core());
    } catch (const std::exception& error) {
        ShowError(document, QString::fromStdString(error.what()));
        return;
    }
    Changed(document);
}

} // namespace

void RegisterMergeBarCommands(CZarvaDoc& document, CommandTarget& window, std::function<MergeBar*()> bar)
{
    const auto pasted = [&document] { return CommandState{HasPasted(document)}; };
    window.OnCommand(cmd::kSynchronise, [&document, bar] {
        if (MergeBar* shown = bar())
            Synchronise(document, *shown);
    }, pasted);
    window.OnCommand(cmd::kMerge, [&document] { Merge(document); }, pasted);
}

void RegisterMergeCommands(CZarvaDoc& document, CommandTarget& view)
{
    UndoHistory& history = document.Core().undo;
    view.OnCommand(cmd::kCopyForMerge, [&document] { Copy(document); });
    view.OnCommand(cmd::kPasteForMerge, [&document] { Paste(document); }, [] { return CommandState{CanPaste()}; });
    view.OnCommand(cmd::kUndo, [&document, &history] {
        if (history.Undo(document.Core()))
            Changed(document);
    }, [&history] { return CommandState{history.UndoCount() > 0}; });
    view.OnCommand(cmd::kRedo, [&document, &history] {
        if (history.Redo(document.Core()))
            Changed(document);
    }, [&history] { return CommandState{history.RedoCount() > 0}; });
}

} // namespace zarva::gui
