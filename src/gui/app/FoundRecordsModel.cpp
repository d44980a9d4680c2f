#include "gui/app/FoundRecordsModel.h"

#include "gui/app/Texts.h"

#include <algorithm>
#include <unordered_map>

namespace zarva::gui {
namespace {

constexpr int kColumnTexts[] = {3287, 3478, 3118, 3180, 3145};

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString DateText(const RecordMoment& moment)
{
    return QString::asprintf("%02d/%02d/%04d", moment.day, moment.month, moment.year);
}

QString TimeText(const RecordMoment& moment)
{
    return QString::asprintf("%02d:%02d:%02d", moment.hours, moment.minutes, moment.seconds);
}

} // namespace

FoundRecordsModel::FoundRecordsModel(QObject* parent) : QAbstractTableModel(parent) {}

void FoundRecordsModel::Clear(const std::filesystem::path& folder)
{
    beginResetModel();
    folder_ = folder;
    records_.clear();
    shown_.clear();
    stations_.clear();
    recorders_.clear();
    endResetModel();
}

void FoundRecordsModel::Add(std::vector<FoundRecord> records)
{
    const std::size_t sorted = shown_.size();
    std::vector<std::size_t> added;
    for (FoundRecord& record : records) {
        stations_.insert(record.station);
        recorders_.insert(record.recorder);
        if (filter_.Matches(record))
            added.push_back(records_.size());
        records_.push_back(std::move(record));
    }
    if (added.empty())
        return;
    beginInsertRows({}, static_cast<int>(sorted), static_cast<int>(sorted + added.size() - 1));
    shown_.insert(shown_.end(), added.begin(), added.end());
    endInsertRows();
    Reorder(sorted);
}

void FoundRecordsModel::DropMissing()
{
    std::erase_if(records_, [](const FoundRecord& record) {
        std::error_code error;
        return !std::filesystem::exists(record.path, error) && !error;
    });
    Rebuild();
}

void FoundRecordsModel::SetFilter(RecordFilter filter)
{
    filter_ = std::move(filter);
    Rebuild();
}

void FoundRecordsModel::SetSortMode(SortMode mode)
{
    mode_ = mode;
    Reorder(0);
}

bool FoundRecordsModel::Before(std::size_t a, std::size_t b) const
{
    return SortsBefore(records_[a], records_[b], mode_);
}

void FoundRecordsModel::Reorder(std::size_t sortedPrefix)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> held;
    for (const QModelIndex& index : before)
        held.push_back(shown_[static_cast<std::size_t>(index.row())]);
    const auto less = [this](std::size_t a, std::size_t b) { return Before(a, b); };
    const auto middle = shown_.begin() + static_cast<std::ptrdiff_t>(sortedPrefix);
    std::sort(middle, shown_.end(), less);
    std::inplace_merge(shown_.begin(), middle, shown_.end(), less);
    std::unordered_map<std::size_t, int> rowOf;
    for (std::size_t row = 0; row < shown_.size(); ++row)
        rowOf[shown_[row]] = static_cast<int>(row);
    QModelIndexList after;
    for (std::size_t i = 0; i < held.size(); ++i)
        after.append(index(rowOf[held[i]], before[static_cast<qsizetype>(i)].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FoundRecordsModel::Rebuild()
{
    beginResetModel();
    shown_.clear();
    stations_.clear();
    recorders_.clear();
    for (std::size_t i = 0; i < records_.size(); ++i) {
        stations_.insert(records_[i].station);
        recorders_.insert(records_[i].recorder);
        if (filter_.Matches(records_[i]))
            shown_.push_back(i);
    }
    std::sort(shown_.begin(), shown_.end(), [this](std::size_t a, std::size_t b) { return Before(a, b); });
    endResetModel();
}

QString FoundRecordsModel::NameOf(const FoundRecord& record) const
{
    const std::filesystem::path relative = record.path.lexically_relative(folder_);
    return Text(relative.empty() ? record.path.string() : relative.string());
}

int FoundRecordsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int FoundRecordsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant FoundRecordsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FoundRecord& record = RecordAt(index.row());
    if (role == Qt::ToolTipRole)
        return Text(record.path.string());
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case kName:
        return NameOf(record);
    case kStation:
        return Text(record.station);
    case kRecorder:
        return Text(record.recorder);
    case kDate:
        return record.start ? DateText(*record.start) : QString();
    case kTime:
        return record.start ? TimeText(*record.start) : QString();
    default:
        return {};
    }
}

QVariant FoundRecordsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount)
        return {};
    return Tr(kColumnTexts[section]);
}

} // namespace zarva::gui
