#include "setup/cCopyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

QList<cCopyList::Row> cCopyList::Rows()
{
    return {
        {QStringLiteral("KZ.EX_"), QStringLiteral("KZ.EXE")},
        {QStringLiteral("Vbame.dll"), QStringLiteral("Vbame.dll")},
        {QStringLiteral("ReadMe.TXT"), QStringLiteral("ReadMe.TXT")},
        {QStringLiteral("Arabic.TXT"), QStringLiteral("Arabic.TXT")},
        {QStringLiteral("English.TXT"), QStringLiteral("English.TXT")},
        {QStringLiteral("msvbvm60.dll"), QStringLiteral("msvbvm60.dll")},
    };
}

QList<cCopyList::Row> cCopyList::RuntimeRows(const QString &sSetupFolder)
{
    QFile list(sSetupFolder + QLatin1String(RuntimeListName));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<Row> rows;
    for (const QByteArray &line : list.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        const bool insideFolder = !name.isEmpty() && QDir::isRelativePath(name) &&
                                  QDir::cleanPath(name) == name && !name.startsWith(QLatin1String("../")) &&
                                  name != QLatin1String("..");
        if (insideFolder)
            rows.append({name, name});
    }
    return rows;
}

bool cCopyList::IsLibrary(const QString &sNewName)
{
    return sNewName.right(3).toUpper() == QStringLiteral("DLL");
}

bool cCopyList::IsProgram(const QString &sNewName)
{
    return sNewName.endsWith(QStringLiteral(".EXE"), Qt::CaseInsensitive);
}

QString cCopyList::TargetPath(const Row &row, const QString &sInstallPath, const QString &sSystemFolder)
{
    if (IsLibrary(row.sNewName))
        return sSystemFolder + QLatin1Char('/') + row.sNewName;
    return sInstallPath + row.sNewName;
}

int cCopyList::Percent(int iFile, int iFiles)
{
    return iFiles > 0 ? iFile * 100 / iFiles : 0;
}

int cCopyList::BarLeft(int iFile, int iFiles, int iWidth)
{
    return iFiles > 0 ? iWidth - iFile * iWidth / iFiles : iWidth;
}

namespace {
// Qt reports a failed open or write without the system's reason; the state left behind tells it.
cCopyList::Failure diagnose(const QString &sSource, const QString &sTarget)
{
    const QFileInfo source(sSource);
    if (!source.isFile())
        return cCopyList::SourceMissing;
    if (!source.isReadable())
        return cCopyList::PermissionDenied;
    const QFileInfo folder(QFileInfo(sTarget).absolutePath());
    if (folder.isDir() && !folder.isWritable())
        return cCopyList::PermissionDenied;
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() < source.size())
        return cCopyList::NoSpace;
    return cCopyList::OtherFailure;
}
} // namespace

QString cCopyList::FailureText(Failure failure)
{
    switch (failure) {
    case Copied:
        return {};
    case SourceMissing:
        return QStringLiteral("الملف المصدر غير موجود");
    case NoSpace:
        return QStringLiteral("لا توجد مساحة كافية على القرص");
    case PermissionDenied:
        return QStringLiteral("تم رفض الإذن");
    case OtherFailure:
        break;
    }
    return QStringLiteral("تعذرت الكتابة");
}

cCopyList::Failure cCopyList::CopyFile(const QString &sSource, const QString &sTarget, bool bExecutable)
{
    QFile source(sSource);
    if (!QFileInfo(sSource).isFile() || !source.open(QIODevice::ReadOnly))
        return diagnose(sSource, sTarget);
    QSaveFile target(sTarget);
    // Without this QSaveFile writes straight into a target whose folder it may not write new files
    // into, which is the half-copied file this copy exists to avoid.
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return diagnose(sSource, sTarget);
    constexpr qint64 kChunk = 1 << 16;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError) {
            target.cancelWriting();
            break;
        }
        if (target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            break;
        }
    }
    QFileDevice::Permissions permissions = source.permissions();
    if (bExecutable) {
        permissions |= QFileDevice::ExeOwner;
        if (permissions & QFileDevice::ReadGroup)
            permissions |= QFileDevice::ExeGroup;
        if (permissions & QFileDevice::ReadOther)
            permissions |= QFileDevice::ExeOther;
    }
    // Set on the new file before it takes the target's name, so the target never lacks them.
    if (!target.setPermissions(permissions)) {
        target.cancelWriting();
        target.commit();
        return diagnose(sSource, sTarget);
    }
    return target.commit() ? Copied : diagnose(sSource, sTarget);
}
