#include "setup/cInstallFolder.h"

#include "platform/SafeFile.h"

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

bool cInstallFolder::IsNameUsable(const QString &sInstallPath)
{
    if (!QDir::isAbsolutePath(sInstallPath))
        return false;
    // The folder goes into the menu entry's Exec= line: a line break would end that line, and
    // launchers refuse a field code ("%" and a letter) they do not expect.
    for (const QChar c : sInstallPath) {
        if (c.category() == QChar::Other_Control || c == QLatin1Char('%'))
            return false;
    }
    return true;
}

cInstallFolder::Check cInstallFolder::CheckFolder(const QString &sInstallPath, int *iError)
{
    if (!IsNameUsable(sInstallPath))
        return FolderInvalid;
    const bool exists = QFileInfo(sInstallPath).isDir();
    const int error = exists ? platform::folderWriteError(sInstallPath) : platform::makeFolders(sInstallPath);
    if (iError)
        *iError = error;
    if (exists)
        return error == 0 ? FolderExists : FolderNotWritable;
    return error == 0 ? FolderCreated : FolderNotMade;
}
