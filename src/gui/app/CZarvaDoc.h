#pragma once

#include "gui/app/CommandTarget.h"
#include "gui/app/CurveSurveyor.h"

#include "core/document/Document.h"
#include "core/document/RecordLoader.h"
#include "core/formats/ComtradeWriter.h"

#include <QObject>
#include <QString>

#include <filesystem>

class QPrinter;
class QWidget;

namespace zarva::gui {

// What a document needs from the application to open and save.
class DocumentServices {
public:
    virtual ~DocumentServices() = default;
    virtual const RecordReaders& Readers() const = 0;
    virtual ReadOptions CurrentReadOptions() const = 0;
    // The interactive ".sto" conversion: the ".cfg" written into a new folder stored in
    // `tempFolder`, or empty. Raises CZarvaException.
    virtual std::filesystem::path ConvertSto(const std::filesystem::path& path,
                                             std::filesystem::path& tempFolder) = 0;
    // Hands an error to the main window's deferred reporting; safe from any thread.
    virtual void ReportError(const QString& text) = 0;
    virtual QWidget* DialogParent() const = 0;
    // Applies the user's stored page margins and orientation.
    virtual void SetUpPrinter(QPrinter& printer) const { (void)printer; }
};

// One open record: the framework-free document plus its path, the modified flag and the
// signals the windows follow.
//
// How a window follows the record (diagrams, panes): connect to cursorsChanged() to follow
// the cursors (read Core().cursors, e.g. Vertical(0) for cursor 1) and to recordChanged() to
// redraw after the channels, their flags or their series change. Both are emitted on the
// interface thread after the change is complete; neither is emitted while a record loads.
// A large record is shown before its curves are surveyed: until then a channel's extremes
// are unknown and it has no min/max levels; recordChanged() follows when they are in.
class CZarvaDoc : public QObject, public CommandTarget {
    Q_OBJECT
public:
    explicit CZarvaDoc(DocumentServices& services, QObject* parent = nullptr);

    DocumentServices& Services() const { return services_; }
    Document& Core() { return document_; }
    const Document& Core() const { return document_; }
    const QString& Path() const { return path_; }
    QString Title() const;

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true);

    // Every change of the cursors goes through here; emits cursorsChanged() when anything
    // differs.
    void SetCursors(const CursorSet& cursors);
    // Called after the channels, their display flags or their series changed.
    void NotifyRecordChanged();
    // Called after only the channels' selection changed: nothing computed from their values
    // needs to be computed again.
    void NotifySelectionChanged();
    // Called after settings of the record's windows were replaced as a whole: the windows
    // read theirs again, then the record is redrawn.
    void NotifySettingsReplaced();
    // The band of cursor times under the ruler, shown in every view of the record.
    void SetShowCursorDifference(bool show);

    // Reads the record; a failure has been reported (or was the user's cancel) and leaves
    // the document empty.
    bool OpenDocument(const QString& path);
    // Saves under `path` in the data form `options` names. A record saved as ".cfg" or ".cff"
    // is that file from then on; a ".zip" is a packed copy and leaves the document as it was.
    bool SaveDocument(const QString& path, const SaveOptions& options = {});
    // Asked before the window closes: the ".sto" warning, then the usual prompt to save.
    bool CanClose(QWidget* parent);
    bool SaveModified(QWidget* parent);
    // Whether the curves of the record are still being surveyed on another thread.
    bool SurveyingCurves() const { return surveyor_.Running(); }

signals:
    void cursorsChanged();
    void recordChanged();
    void selectionChanged();
    void settingsReplaced();
    void cursorDifferenceChanged();
    void modifiedChanged(bool modified);
    void titleChanged();
    void closeRequested();
    // Percent of the curves surveyed, while a survey runs; then curvesSurveyed().
    void curveSurveyProgress(int percent);
    void curvesSurveyed();

private:
    bool Load(std::filesystem::path loadPath);
    void TakeSurveys();
    void Save();
    void SaveAs();
    bool CanSaveAt(const QString& path) const;

    DocumentServices& services_;
    Document document_;
    CurveSurveyor surveyor_;  // destroyed before the document
    QString path_;
    bool modified_ = false;
};

} // namespace zarva::gui
