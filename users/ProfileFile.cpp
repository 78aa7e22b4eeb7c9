#include "users/ProfileFile.h"

#include "app/Blanks.h"
#include "app/Scrambling.h"
#include "platform/CodePage1256.h"
#include "platform/SafeFile.h"
#include "platform/SyncWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

#include <fcntl.h>

static_assert(sizeof(ProfileFile::kSignature) == 25, "the signature fills 24 bytes");

int ProfileFile::testSlotOffset(bool arabic, int lesson, int test)
{
    const int base = arabic ? kArabicResultsOffset : kEnglishResultsOffset;
    return base + (lesson - 1) * 12 + (test - 1) * 4;
}

bool ProfileFile::isValidUserName(const QString &name)
{
    // Any space at an end would make a second "Ali" that looks like the first. A leading dot also
    // covers "." and "..".
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed != name || trimmed.startsWith(QLatin1Char('.')))
        return false;
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    bool visible = false;
    for (const char32_t ch : trimmed.toUcs4()) {
        if (ch < 0x80 && kForbidden.contains(QChar(ch)))
            return false;
        switch (QChar::category(ch)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return false;
        case QChar::Separator_Space:
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
            break;
        default:
            visible = true;
        }
    }
    return visible;
}

bool ProfileFile::isSameUserName(const QString &a, const QString &b)
{
    const auto blanked = [](QString name) {
        for (QChar &ch : name) {
            if (ch.category() == QChar::Separator_Space)
                ch = QLatin1Char(' ');
        }
        return name;
    };
    return blanked(a).compare(blanked(b), Qt::CaseInsensitive) == 0;
}

QStringList ProfileFile::listNames(const QString &folder)
{
    const QString extension = QLatin1String(kExtension);
    QStringList names;
    const QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Unsorted);
    for (const QString &entry : entries) {
        // lstat again: the listing's type may come from a link's target on some file systems.
        if (entry.size() > extension.size() && entry.endsWith(extension, Qt::CaseSensitive) &&
            platform::isRegularFile(QDir(folder).filePath(entry)))
            names.append(entry.left(entry.size() - extension.size()));
    }
    return names;
}

QByteArray ProfileFile::newProfileBytes(qint16 accuracy, qint16 speed)
{
    QByteArray bytes(kSize, '\0');
    bytes.replace(kSignatureOffset, 24, kSignature, 24);
    qToLittleEndian(accuracy, bytes.data() + kAccuracyOffset);
    qToLittleEndian(speed, bytes.data() + kSpeedOffset);
    bytes.replace(kErrorsOffset, 7, "TGSATTW", 7);
    bytes.replace(kPassOffset, kPassLength, QByteArray(kPassLength, ' '));
    // The result slots of both languages stay zero: no test taken.
    return bytes;
}

bool ProfileFile::create(const QString &path, qint16 accuracy, qint16 speed, QString *error)
{
    // Owner-only from the first byte: a password is kept in it.
    return platform::createFileAtomically(path, newProfileBytes(accuracy, speed), error);
}

ProfileFile::OpenResult ProfileFile::open(const QString &path, QString *error)
{
    close();
    const int fd = platform::openRegularFile(path, true, error);
    if (fd < 0) {
        const QFileInfo info(path);
        return info.exists() || info.isSymLink() ? OpenResult::Failed : OpenResult::Missing;
    }
    switch (platform::tryLockFile(fd, error)) {
    case platform::LockResult::Locked:
        break;
    case platform::LockResult::HeldElsewhere:
        platform::closeFile(fd);
        return OpenResult::InUse;
    case platform::LockResult::Failed:
        platform::closeFile(fd);
        return OpenResult::Failed;
    }
    // Held, so no creation is at work on it: the only other names a stopped creation leaves go.
    if (platform::linkCount(fd) > 1)
        platform::removeTemporaryLinks(fd, path);
    m_fd = fd;
    m_path = path;
    return OpenResult::Opened;
}

bool ProfileFile::hasOtherNames() const
{
    return platform::linkCount(m_fd) > 1;
}

bool ProfileFile::removeAndClose(QString *error)
{
    const bool removed = platform::removeOpenFile(m_fd, m_path, error);
    close();
    return removed;
}

void ProfileFile::close()
{
    platform::closeFile(m_fd);
    m_fd = -1;
    m_path.clear();
}

QByteArray ProfileFile::readBytes(int offset, int count)
{
    return platform::readAt(m_fd, offset, count);
}

char ProfileFile::readByte(int offset)
{
    const QByteArray bytes = readBytes(offset, 1);
    return bytes.isEmpty() ? ' ' : bytes.at(0);
}

qint16 ProfileFile::readInt16(int offset)
{
    QByteArray bytes = readBytes(offset, 2);
    bytes.resize(2, '\0');
    return qFromLittleEndian<qint16>(bytes.constData());
}

bool ProfileFile::writeBytes(int offset, const QByteArray &bytes, QString *error)
{
    return platform::writeAtAndSync(m_fd, offset, bytes, error);
}

bool ProfileFile::writeBytesSyncLater(int offset, const QByteArray &bytes, QString *error,
                                      std::function<void(const QString &)> synced)
{
    if (!platform::writeAt(m_fd, offset, bytes, error))
        return false;
    // The writer closes its own descriptor of the file; the learner may log out meanwhile.
    const int fd = ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return platform::syncData(m_fd, error);
    platform::syncLater(fd, QString(), std::move(synced));
    return true;
}

bool ProfileFile::writeByte(int offset, char byte, QString *error)
{
    return writeBytes(offset, QByteArray(1, byte), error);
}

QString ProfileFile::password()
{
    QByteArray bytes = readBytes(kPassOffset, kPassLength);
    bytes.resize(kPassLength, ' ');
    return TrimBlanks(ScrambleText(platform::fromCodePage1256(bytes)));
}

bool ProfileFile::writeInt16(int offset, qint16 value, QString *error)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    return writeBytes(offset, QByteArray(bytes, 2), error);
}
