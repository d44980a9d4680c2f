#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMenu;
class QSettings;

namespace zarva::gui {

// The ten records opened last, newest first, kept in the user's store at every change so
// that another running instance and a crash lose nothing.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kCapacity = 10;

    // A null store keeps the list in memory only.
    RecentFiles(QSettings* store, QObject* parent);

    const QStringList& Paths() const { return paths_; }
    void Add(const QString& path);
    void Remove(const QString& path);

    // Refills the menu with numbered entries that call `open` with their path.
    void FillMenu(QMenu& menu, const std::function<void(const QString&)>& open) const;

signals:
    void changed();

private:
    void Save();

    QSettings* store_;
    QStringList paths_;
};

} // namespace zarva::gui
