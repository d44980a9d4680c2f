#include "gui/app/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace zarva::gui {
namespace {

const QString kSection = QStringLiteral("Recent File List");

QString Key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

RecentFiles::RecentFiles(QSettings* store, QObject* parent) : QObject(parent), store_(store)
{
    if (store_ == nullptr)
        return;
    store_->beginGroup(kSection);
    for (int i = 0; i < kCapacity; ++i) {
        const QString path = store_->value(Key(i)).toString();
        if (!path.isEmpty() && !paths_.contains(path))
            paths_.append(path);
    }
    store_->endGroup();
}

void RecentFiles::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    while (paths_.size() > kCapacity)
        paths_.removeLast();
    Save();
}

void RecentFiles::Remove(const QString& path)
{
    if (paths_.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        Save();
}

void RecentFiles::FillMenu(QMenu& menu, const std::function<void(const QString&)>& open) const
{
    menu.clear();
    menu.menuAction()->setEnabled(!paths_.isEmpty());
    for (int i = 0; i < paths_.size(); ++i) {
        const QString& path = paths_[i];
        QAction* action = menu.addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(QFileInfo(path).fileName()));
        action->setStatusTip(QDir::toNativeSeparators(path));
        action->setToolTip(QDir::toNativeSeparators(path));
        QObject::connect(action, &QAction::triggered, &menu, [open, path] { open(path); });
    }
}

void RecentFiles::Save()
{
    emit changed();
    if (store_ == nullptr)
        return;
    store_->beginGroup(kSection);
    for (int i = 0; i < kCapacity; ++i) {
        if (i < paths_.size())
            store_->setValue(Key(i), paths_[i]);
        else
            store_->remove(Key(i));
    }
    store_->endGroup();
    store_->sync();
}

} // namespace zarva::gui
