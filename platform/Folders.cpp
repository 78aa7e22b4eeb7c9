#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

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

struct ProfileFolderDecision
{
    QString programFolder; // the folder it was decided for
    QString profileFolder;
};

ProfileFolderDecision &profileFolderDecision()
{
    static ProfileFolderDecision decision;
    return decision;
}

// Folders a package manager owns: nothing of the learner's belongs there, whoever runs the tutor.
bool isSystemFolder(const QString &folder)
{
    for (const char *system : {"/usr/", "/bin/", "/sbin/"}) {
        if (folder.startsWith(QLatin1String(system)))
            return true;
    }
    return false;
}

// Makes each missing folder of `path` owner-only, as the XDG base directories want; folders that
// exist keep their mode. A folder that cannot be made is left to the first write to report.
void makeOwnerOnlyPath(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info;
    if (::stat(encoded.constData(), &info) == 0)
        return;
    const qsizetype parent = path.lastIndexOf(QLatin1Char('/'));
    if (parent > 0)
        makeOwnerOnlyPath(path.left(parent));
    ::mkdir(encoded.constData(), 0700);
}

QString learnerDataFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = base + QStringLiteral("/tavrin");
    makeOwnerOnlyPath(folder);
    return folder + QLatin1Char('/');
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
    profileFolderDecision() = {};
}

QString profileFolder()
{
    ProfileFolderDecision &decision = profileFolderDecision();
    const QString program = programFolder();
    if (decision.programFolder != program) {
        // access() asks the kernel, so a read-only mount refuses root as well.
        const bool writable = ::access(QFile::encodeName(program).constData(), W_OK) == 0;
        decision = {program, writable && !isSystemFolder(program) ? program : learnerDataFolder()};
    }
    return decision.profileFolder;
}

QString shippedFilesFolder()
{
    const QString program = programFolder();
    if (program.endsWith(QLatin1String("/bin/"))) {
        const QString shared = program.chopped(4) + QStringLiteral("share/tavrin/");
        if (QFileInfo(shared).isDir())
            return shared;
    }
    return program;
}

QString pluginPath(const QString &fileName)
{
    const QString program = programFolder();
    const QString beside = program + fileName;
    if (!QFileInfo::exists(beside) && program.endsWith(QLatin1String("/bin/"))) {
        const QString installed = program.chopped(4) + QStringLiteral("lib/tavrin/") + fileName;
        if (QFileInfo::exists(installed))
            return installed;
    }
    return beside;
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
