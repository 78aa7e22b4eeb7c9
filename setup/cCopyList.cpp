#include "setup/cCopyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool cCopyList::IsLibrary(const QString &sNewName)
{
    return sNewName.right(3).toUpper() == QStringLiteral("DLL");
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

bool cCopyList::CopyFile(const QString &sSource, const QString &sTarget)
{
    QFile source(sSource);
    if (!QFileInfo(sSource).isFile() || !source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(sTarget);
    // Without this QSaveFile writes straight into a target whose folder it may not write new files
    // into, which is the half-copied file this copy exists to avoid.
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return false;
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
    // Set on the new file before it takes the target's name, so the target never lacks them.
    if (!target.setPermissions(source.permissions())) {
        target.cancelWriting();
        target.commit();
        return false;
    }
    return target.commit();
}
