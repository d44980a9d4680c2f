#include "gui/app/FileFinderDlg.h"

#include "gui/app/AppSettings.h"
#include "gui/app/BackgroundSearch.h"
#include "gui/app/CZarvaApp.h"
#include "gui/app/FoundRecordsModel.h"
#include "gui/app/RecordDeletion.h"
#include "gui/app/Texts.h"

#include "core/formats/LoadWarnings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kTitle = 4680;
constexpr int kFolder = 4681;
constexpr int kChoose = 4682;
constexpr int kSubfolders = 4683;
constexpr int kStation = 4684;
constexpr int kRecorder = 4685;
constexpr int kFrom = 4686;
constexpr int kTo = 4687;
constexpr int kOpen = 4688;
constexpr int kDelete = 4689;
constexpr int kClose = 4690;
constexpr int kProgress = 4691;
constexpr int kAll = 3146;
} // namespace ids

namespace keys {
const QString kSection = QStringLiteral("FileFinder");
const QString kPath = QStringLiteral("Path");
const QString kStationName = QStringLiteral("StationName");
const QString kStationId = QStringLiteral("StationID");
const QString kIncludeSubdirs = QStringLiteral("IncludeSubdirs");
const QString kSortMode = QStringLiteral("SortMode");
} // namespace keys

constexpr int kPollMs = 100;

SortKey KeyOfColumn(int column)
{
    switch (column) {
    case FoundRecordsModel::kName:
        return SortKey::Name;
    case FoundRecordsModel::kStation:
        return SortKey::Station;
    case FoundRecordsModel::kRecorder:
        return SortKey::Recorder;
    default:
        return SortKey::Date;
    }
}

QDateEdit* NewDateEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QDateEdit(QDate::currentDate(), parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return edit;
}

// The chosen value of a filter list; none for "Все".
std::optional<std::string> Chosen(const QComboBox& list)
{
    return list.currentIndex() <= 0 ? std::nullopt : std::optional(list.currentText().toStdString());
}

std::optional<CalendarDate> Bound(const QCheckBox& on, const QDateEdit& edit)
{
    const QDate date = edit.date();
    return on.isChecked() ? std::optional(CalendarDate{date.year(), date.month(), date.day()}) : std::nullopt;
}

// Refills the list with "Все" and the values when they changed, keeping `wanted` chosen when
// it is among them. True when the choice changed.
bool FillChoices(QComboBox& list, const std::set<std::string>& values, const QString& wanted)
{
    const int before = list.currentIndex();
    const QString chosen = list.currentText();
    QStringList items{Tr(ids::kAll)};
    for (const std::string& value : values)
        items.append(QString::fromStdString(value));
    bool same = list.count() == items.size();
    for (int i = 0; same && i < list.count(); ++i)
        same = list.itemText(i) == items[i];
    if (!same) {
        const QSignalBlocker quiet(&list);
        list.clear();
        list.addItems(items);
    }
    const QSignalBlocker quiet(&list);
    list.setCurrentIndex(std::max(0, list.findText(wanted, Qt::MatchExactly)));
    return list.currentIndex() != before || list.currentText() != chosen;
}

} // namespace

FileFinderDlg::FileFinderDlg(CZarvaApp& app, QWidget* parent)
    : QDialog(parent), app_(app), records_(new FoundRecordsModel(this)), poll_(new QTimer(this))
{
    setWindowTitle(Tr(ids::kTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(BuildFolderTree());
    splitter->addWidget(BuildSearchPane());
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(1000, 600);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &FileFinderDlg::Poll);
    LoadSettings();
    Search(folder_->text());
}

FileFinderDlg::~FileFinderDlg()
{
    SaveSettings();
}

QWidget* FileFinderDlg::BuildFolderTree()
{
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QString());
    folderTree_ = new QTreeView(this);
    folderTree_->setObjectName(QStringLiteral("FolderTree"));
    folderTree_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        folderTree_->hideColumn(column);
    folderTree_->setHeaderHidden(true);
    const auto searchThere = [this](const QModelIndex& index) { Search(folders_->filePath(index)); };
    connect(folderTree_, &QTreeView::clicked, this, searchThere);
    connect(folderTree_, &QTreeView::activated, this, searchThere);
    return folderTree_;
}

QWidget* FileFinderDlg::BuildSearchPane()
{
    auto* pane = new QWidget(this);
    auto* layout = new QVBoxLayout(pane);
    auto* folderRow = new QHBoxLayout;
    folder_ = new QLineEdit(pane);
    folder_->setObjectName(QStringLiteral("Folder"));
    auto* choose = new QPushButton(Tr(ids::kChoose), pane);
    choose->setObjectName(QStringLiteral("Choose"));
    connect(choose, &QPushButton::clicked, this, [this] { Search(folder_->text()); });
    connect(folder_, &QLineEdit::returnPressed, choose, &QPushButton::click);
    folderRow->addWidget(new QLabel(Tr(ids::kFolder), pane));
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(choose);
    layout->addLayout(folderRow);
    subfolders_ = new QCheckBox(Tr(ids::kSubfolders), pane);
    subfolders_->setObjectName(QStringLiteral("IncludeSubfolders"));
    connect(subfolders_, &QCheckBox::toggled, this, [this] { Search(folder_->text()); });
    layout->addWidget(subfolders_);
    layout->addWidget(BuildFilters());
    BuildResults();
    layout->addWidget(results_, 1);

    auto* progressRow = new QHBoxLayout;
    progress_ = new QLabel(pane);
    cancel_ = new QPushButton(Tr(text::kCancel), pane);
    cancel_->setObjectName(QStringLiteral("CancelSearch"));
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (search_)
            search_->Cancel();
    });
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cancel_);
    layout->addLayout(progressRow);

    auto* buttons = new QHBoxLayout;
    auto* open = new QPushButton(Tr(ids::kOpen), pane);
    open->setObjectName(QStringLiteral("OpenFiles"));
    connect(open, &QPushButton::clicked, this, &FileFinderDlg::OpenSelected);
    auto* remove = new QPushButton(Tr(ids::kDelete), pane);
    remove->setObjectName(QStringLiteral("DeleteFiles"));
    connect(remove, &QPushButton::clicked, this, &FileFinderDlg::DeleteSelected);
    auto* close = new QPushButton(Tr(ids::kClose), pane);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(open);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    return pane;
}

QWidget* FileFinderDlg::BuildFilters()
{
    auto* filters = new QWidget(this);
    auto* form = new QFormLayout(filters);
    form->setContentsMargins(0, 0, 0, 0);
    station_ = new QComboBox(filters);
    station_->setObjectName(QStringLiteral("Station"));
    recorder_ = new QComboBox(filters);
    recorder_->setObjectName(QStringLiteral("Recorder"));
    for (QComboBox* list : {station_, recorder_}) {
        list->addItem(Tr(ids::kAll));
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    connect(station_, &QComboBox::currentIndexChanged, this, [this] {
        wantedStation_ = station_->currentText();
        ApplyFilter();
    });
    connect(recorder_, &QComboBox::currentIndexChanged, this, [this] {
        wantedRecorder_ = recorder_->currentText();
        ApplyFilter();
    });
    form->addRow(Tr(ids::kStation), station_);
    form->addRow(Tr(ids::kRecorder), recorder_);

    auto* dates = new QHBoxLayout;
    fromOn_ = new QCheckBox(Tr(ids::kFrom), filters);
    fromOn_->setObjectName(QStringLiteral("FromOn"));
    from_ = NewDateEdit(filters, QStringLiteral("From"));
    toOn_ = new QCheckBox(Tr(ids::kTo), filters);
    toOn_->setObjectName(QStringLiteral("ToOn"));
    to_ = NewDateEdit(filters, QStringLiteral("To"));
    for (const auto& [on, edit] : {std::pair{fromOn_, from_}, std::pair{toOn_, to_}}) {
        edit->setEnabled(false);
        connect(on, &QCheckBox::toggled, edit, &QDateEdit::setEnabled);
        connect(on, &QCheckBox::toggled, this, &FileFinderDlg::ApplyFilter);
        connect(edit, &QDateEdit::dateChanged, this, &FileFinderDlg::ApplyFilter);
    }
    dates->addWidget(fromOn_);
    dates->addWidget(from_);
    dates->addSpacing(16);
    dates->addWidget(toOn_);
    dates->addWidget(to_);
    dates->addStretch(1);
    form->addRow(dates);
    return filters;
}

void FileFinderDlg::BuildResults()
{
    results_ = new QTreeView(this);
    results_->setObjectName(QStringLiteral("Results"));
    results_->setModel(records_);
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->setAllColumnsShowFocus(true);
    results_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->header()->setSectionsClickable(true);
    results_->header()->setSortIndicatorShown(true);
    results_->setColumnWidth(FoundRecordsModel::kName, 260);
    connect(results_->header(), &QHeaderView::sectionClicked, this, &FileFinderDlg::SortBy);
    connect(results_, &QTreeView::doubleClicked, this, &FileFinderDlg::OpenSelected);
}

void FileFinderDlg::LoadSettings()
{
    QSettings* store = app_.Settings().Store();
    QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    bool subfolders = false;
    SortMode mode = kDefaultSortMode;
    if (store != nullptr) {
        store->beginGroup(keys::kSection);
        path = store->value(keys::kPath, path).toString();
        wantedStation_ = store->value(keys::kStationName).toString();
        wantedRecorder_ = store->value(keys::kStationId).toString();
        subfolders = store->value(keys::kIncludeSubdirs, 0).toInt() != 0;
        mode = SortModeFrom(store->value(keys::kSortMode, static_cast<int>(mode)).toInt());
        store->endGroup();
    }
    folder_->setText(path);
    const QSignalBlocker quiet(subfolders_);
    subfolders_->setChecked(subfolders);
    records_->SetSortMode(mode);
}

void FileFinderDlg::SaveSettings() const
{
    QSettings* store = app_.Settings().Store();
    if (store == nullptr)
        return;
    store->beginGroup(keys::kSection);
    store->setValue(keys::kPath, folder_->text());
    store->setValue(keys::kStationName, station_->currentText());
    store->setValue(keys::kStationId, recorder_->currentText());
    store->setValue(keys::kIncludeSubdirs, subfolders_->isChecked() ? 1 : 0);
    store->setValue(keys::kSortMode, static_cast<int>(records_->Mode()));
    store->endGroup();
    store->sync();
}

void FileFinderDlg::Search(const QString& folder)
{
    search_.reset();
    folder_->setText(folder);
    ShowFolderInTree(folder);
    records_->Clear(folder.toStdString());
    RefreshChoices();
    SortBy(-1);
    SearchOptions options{folder.toStdString(), subfolders_->isChecked(), app_.BackgroundStoSetup()};
    search_ = std::make_unique<BackgroundSearch>(std::move(options));
    cancel_->setVisible(true);
    poll_->start();
    ShowProgress();
}

bool FileFinderDlg::Searching() const
{
    return poll_->isActive();
}

void FileFinderDlg::Poll()
{
    // Read before taking: whatever a finished search found is taken with it.
    const bool finished = search_->Finished();
    std::vector<FoundRecord> found = search_->TakeFound();
    if (!found.empty()) {
        records_->Add(std::move(found));
        RefreshChoices();
    }
    ShowProgress();
    if (finished) {
        poll_->stop();
        cancel_->setVisible(false);
    }
}

void FileFinderDlg::ShowProgress()
{
    const std::uint64_t seen = search_ ? search_->EntriesSeen() : 0;
    progress_->setText(QString::fromStdString(FormatText(ids::kProgress, {seen, records_->FoundCount()})));
}

void FileFinderDlg::RefreshChoices()
{
    const bool station = FillChoices(*station_, records_->Stations(), wantedStation_);
    const bool recorder = FillChoices(*recorder_, records_->Recorders(), wantedRecorder_);
    if (station || recorder)
        ApplyFilter();
}

void FileFinderDlg::ApplyFilter()
{
    records_->SetFilter({Chosen(*station_), Chosen(*recorder_), Bound(*fromOn_, *from_), Bound(*toOn_, *to_)});
}

// A click on a header orders by its column, again in the other direction; -1 shows the
// order kept.
void FileFinderDlg::SortBy(int column)
{
    if (column >= 0)
        records_->SetSortMode(ToggledSort(records_->Mode(), KeyOfColumn(column)));
    const SortMode mode = records_->Mode();
    // The columns start with the sort keys in their order.
    const int shownColumn = static_cast<int>(KeyOf(mode));
    const bool second = (static_cast<int>(mode) & 1) != 0;
    const bool descending = (KeyOf(mode) == SortKey::Date) != second;
    results_->header()->setSortIndicator(shownColumn, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void FileFinderDlg::ShowFolderInTree(const QString& folder)
{
    const QModelIndex index = folders_->index(folder);
    if (!index.isValid())
        return;
    folderTree_->setCurrentIndex(index);
    folderTree_->scrollTo(index);
}

QStringList FileFinderDlg::SelectedPaths() const
{
    QStringList paths;
    for (const QModelIndex& index : results_->selectionModel()->selectedRows())
        paths.append(QString::fromStdString(records_->RecordAt(index.row()).path.string()));
    return paths;
}

void FileFinderDlg::OpenSelected()
{
    for (const QString& path : SelectedPaths())
        app_.OpenDocumentFile(path);
}

void FileFinderDlg::DeleteSelected()
{
    if (!DeleteRecordFiles(SelectedPaths(), this))
        return;
    records_->DropMissing();
    RefreshChoices();
}

} // namespace zarva::gui
