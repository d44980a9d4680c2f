#include "gui/app/RecordDeletion.h"

#include "gui/app/Texts.h"

#include "core/finder/RecordFileSet.h"
#include "core/formats/LoadWarnings.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>

namespace zarva::gui {
namespace {

namespace ids {
constexpr int kMoveToTrash = 4692;
constexpr int kRemoveForGood = 4693;
constexpr int kNotDeleted = 4694;
} // namespace ids

// Companions before the record's own file, so that a record whose deletion stops halfway
// is still listed and can be deleted again.
QStringList FilesOf(const QStringList& recordPaths)
{
    QStringList files;
    for (const QString& record : recordPaths) {
        for (const std::filesystem::path& file : RecordFileSet(record.toStdString())) {
            const QString name = QString::fromStdString(file.string());
            if (!files.contains(name))
                files.append(name);
        }
    }
    return files;
}

bool Ask(QWidget* parent, const QString& question)
{
    return QMessageBox::question(parent, Tr(text::kAppName), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

// The files the trash did not take. Qt makes the home trash only inside an existing data
// folder, which a new account may lack; failing that it may settle for a "trash" under the
// working folder, where nobody would look: such a file is put back and counted as refused.
QStringList MoveToTrash(const QStringList& files)
{
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QStringList refused;
    for (const QString& file : files) {
        QString trashed;
        if (QFile::moveToTrash(file, &trashed) && QDir::isRelativePath(trashed))
            QFile::rename(trashed, file);
        if (QFile::exists(file))
            refused.append(file);
    }
    return refused;
}

QStringList RemoveForGood(const QStringList& files)
{
    QStringList left;
    for (const QString& file : files) {
        if (!QFile::remove(file) && QFile::exists(file))
            left.append(file);
    }
    return left;
}

} // namespace

bool DeleteRecordFiles(const QStringList& recordPaths, QWidget* parent)
{
    const QStringList files = FilesOf(recordPaths);
    if (files.isEmpty() || !Ask(parent, QString::fromStdString(FormatText(ids::kMoveToTrash, {recordPaths.size(), files.size()}))))
        return false;
    QStringList left = MoveToTrash(files);
    if (!left.isEmpty() && Ask(parent, Tr(ids::kRemoveForGood, left.join(QLatin1Char('\n')))))
        left = RemoveForGood(left);
    if (!left.isEmpty())
        QMessageBox::warning(parent, Tr(text::kAppName), Tr(ids::kNotDeleted, left.join(QLatin1Char('\n'))));
    return left.size() < files.size();
}

} // namespace zarva::gui
