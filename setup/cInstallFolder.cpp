#include "setup/cInstallFolder.h"

#include <QDir>
#include <QFileInfo>

QString cInstallFolder::DefaultText()
{
    return QDir::homePath() + QStringLiteral("/KZ");
}

QString cInstallFolder::ResetText()
{
    return DefaultText() + QLatin1Char('/');
}

QString cInstallFolder::InstallPath(const QString &sText)
{
    QString path = sText.trimmed();
    // An empty box names no folder; "/" would offer the root of the file system.
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

cInstallFolder::Check cInstallFolder::CheckFolder(const QString &sInstallPath)
{
    if (!QDir::isAbsolutePath(sInstallPath) || sInstallPath.contains(QChar(0)))
        return FolderInvalid;
    if (QFileInfo(sInstallPath).isDir())
        return FolderExists;
    return QDir().mkdir(sInstallPath) ? FolderCreated : FolderInvalid;
}
