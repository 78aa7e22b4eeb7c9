#include "setup/cCopyList.h"

#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>

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

cCopyList::Failure cCopyList::FailureFor(int iError, bool bSource)
{
    switch (iError) {
    case 0:
        return Copied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return NoSpace;
    case EACCES:
    case EPERM:
        return PermissionDenied;
    case EROFS:
        return ReadOnly;
    default:
        break;
    }
    if (bSource)
        return iError == ENOENT || iError == EISDIR || iError == EINVAL ? SourceMissing : SourceUnreadable;
    return OtherFailure;
}

QString cCopyList::FailureText(Failure failure, int iError)
{
    switch (failure) {
    case Copied:
        return {};
    case SourceMissing:
        return QStringLiteral("الملف المصدر غير موجود");
    case SourceUnreadable:
        return QStringLiteral("تعذرت قراءة الملف المصدر");
    case NoSpace:
        return QStringLiteral("لا توجد مساحة كافية على القرص");
    case PermissionDenied:
        return QStringLiteral("تم رفض الإذن");
    case ReadOnly:
        return QStringLiteral("نظام الملفات للقراءة فقط");
    case OtherFailure:
        break;
    }
    if (iError == ENOTDIR)
        return QStringLiteral("جزء من المسار ملف وليس مجلداً");
    if (iError == 0)
        return QStringLiteral("تعذرت الكتابة");
    return QStringLiteral("تعذرت الكتابة (") + platform::systemErrorText(iError) + QLatin1Char(')');
}

QString cCopyList::ReasonText(int iError)
{
    return FailureText(FailureFor(iError, false), iError);
}

cCopyList::Failure cCopyList::CopyFile(const QString &sSource, const QString &sTarget, bool bExecutable,
                                       int *iError)
{
    bool source = false;
    const int error = platform::copyFileReplacing(sSource, sTarget, bExecutable, &source);
    if (iError)
        *iError = error;
    return FailureFor(error, source);
}
