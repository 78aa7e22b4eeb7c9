#include "platform/Volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace platform {

namespace {
QStringList &driveFoldersOverride()
{
    static QStringList folders;
    return folders;
}

bool holds(const QString &folder, const QString &path)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}
} // namespace

QStringList driveFolders()
{
    if (!driveFoldersOverride().isEmpty())
        return driveFoldersOverride();
    QStringList folders;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        // Single files bind-mounted into a container are volumes too, but not drives.
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
            folders.append(QDir::cleanPath(volume.rootPath()));
    }
    folders.append(QDir::cleanPath(QDir::homePath()));
    folders.removeDuplicates();
    folders.sort();
    return folders;
}

void setDriveFoldersForTesting(const QStringList &folders)
{
    driveFoldersOverride() = folders;
}

QString driveOfPath(const QStringList &drives, const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    QString best;
    for (const QString &drive : drives) {
        const QString folder = QDir::cleanPath(drive);
        if (holds(folder, clean) && folder.size() > best.size())
            best = folder;
    }
    return best;
}

bool isDriveReady(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

} // namespace platform
