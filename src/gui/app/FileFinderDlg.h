#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <set>
#include <string>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeView;

namespace zarva::gui {

class BackgroundSearch;
class CZarvaApp;
class FoundRecordsModel;

// Command 32880 "Проводник": the records under a folder with their station, recorder and
// start, filtered and sorted; the chosen ones are opened or deleted. The search runs on its
// own thread and the list fills as records are found. Its choices are kept in the "FileFinder"
// settings, read when it opens and written when it closes.
class FileFinderDlg : public QDialog {
    Q_OBJECT
public:
    FileFinderDlg(CZarvaApp& app, QWidget* parent);
    ~FileFinderDlg() override;

    // Searches the folder anew, stopping a search that still runs.
    void Search(const QString& folder);
    bool Searching() const;
    FoundRecordsModel& Records() const { return *records_; }

private:
    QWidget* BuildFolderTree();
    QWidget* BuildSearchPane();
    QWidget* BuildFilters();
    void BuildResults();
    void LoadSettings();
    void SaveSettings() const;

    void Poll();
    void ShowProgress();
    void RefreshChoices();
    void ApplyFilter();
    void SortBy(int column);
    void ShowFolderInTree(const QString& folder);
    QStringList SelectedPaths() const;
    void OpenSelected();
    void DeleteSelected();

    CZarvaApp& app_;
    FoundRecordsModel* records_;
    std::unique_ptr<BackgroundSearch> search_;
    QTimer* poll_;
    QFileSystemModel* folders_ = nullptr;
    QTreeView* folderTree_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QCheckBox* subfolders_ = nullptr;
    QComboBox* station_ = nullptr;
    QComboBox* recorder_ = nullptr;
    QCheckBox* fromOn_ = nullptr;
    QDateEdit* from_ = nullptr;
    QCheckBox* toOn_ = nullptr;
    QDateEdit* to_ = nullptr;
    QTreeView* results_ = nullptr;
    QLabel* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QString wantedStation_;   // chosen by the user or kept from the last time
    QString wantedRecorder_;
};

} // namespace zarva::gui
