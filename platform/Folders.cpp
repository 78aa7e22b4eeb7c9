#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {
QString &programFolderOverride()
{
    static QString folder;
    return folder;
}

QString &systemFolderOverride()
{
    static QString folder;
    return folder;
}

QString &requiredLibraryName()
{
    static QString name;
    return name;
}

QString withTrailingSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
} // namespace

QString programFolder()
{
    if (!programFolderOverride().isEmpty())
        return withTrailingSlash(programFolderOverride());
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

void setProgramFolderForTesting(const QString &folder)
{
    programFolderOverride() = folder;
}

QString systemFolder()
{
    if (!systemFolderOverride().isEmpty())
        return systemFolderOverride();
    return QDir::homePath() + QStringLiteral("/.local/lib");
}

void setSystemFolderForTesting(const QString &folder)
{
    systemFolderOverride() = folder;
}

QString requiredLibrary()
{
    return requiredLibraryName();
}

void setRequiredLibraryForTesting(const QString &fileName)
{
    requiredLibraryName() = fileName;
}

bool fileExistsIgnoringCase(const QString &folder, const QString &fileName)
{
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString &entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList filesWithSuffix(const QString &folder, const QString &suffix)
{
    QStringList result;
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files, QDir::Unsorted);
    for (const QString &entry : entries) {
        if (entry.size() > suffix.size() && entry.endsWith(suffix, Qt::CaseInsensitive))
            result.append(entry);
    }
    return result;
}

} // namespace platform
