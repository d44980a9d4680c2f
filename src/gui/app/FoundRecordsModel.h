#pragma once

#include "core/finder/RecordList.h"

#include <QAbstractTableModel>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace zarva::gui {

// The file finder's list: every record found, the filtered ones shown in the chosen order.
// Records may keep arriving while the user looks at it; the selection follows them.
class FoundRecordsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kName, kStation, kRecorder, kDate, kTime, kColumnCount };

    explicit FoundRecordsModel(QObject* parent = nullptr);

    // Forgets every record; names are then shown relative to `folder`.
    void Clear(const std::filesystem::path& folder);
    void Add(std::vector<FoundRecord> records);
    // Drops the records whose own file is gone.
    void DropMissing();

    void SetFilter(RecordFilter filter);
    void SetSortMode(SortMode mode);
    SortMode Mode() const { return mode_; }

    std::size_t FoundCount() const { return records_.size(); }
    const FoundRecord& RecordAt(int row) const { return records_[shown_[static_cast<std::size_t>(row)]]; }
    const std::set<std::string>& Stations() const { return stations_; }
    const std::set<std::string>& Recorders() const { return recorders_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool Before(std::size_t a, std::size_t b) const;
    // Puts the shown records in order; views keep their selection and current row.
    void Reorder(std::size_t sortedPrefix);
    void Rebuild();
    QString NameOf(const FoundRecord& record) const;

    std::filesystem::path folder_;
    std::vector<FoundRecord> records_;
    std::vector<std::size_t> shown_;  // indices into records_, in order
    RecordFilter filter_;
    SortMode mode_ = kDefaultSortMode;
    std::set<std::string> stations_;
    std::set<std::string> recorders_;
};

} // namespace zarva::gui
