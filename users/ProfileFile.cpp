#include "users/ProfileFile.h"

#include "platform/FileSync.h"

#include <QtEndian>

static_assert(sizeof(ProfileFile::kSignature) == 25, "the signature fills 24 bytes");

int ProfileFile::testSlotOffset(bool arabic, int lesson, int test)
{
    const int base = arabic ? kArabicResultsOffset : kEnglishResultsOffset;
    return base + (lesson - 1) * 12 + (test - 1) * 4;
}

bool ProfileFile::isValidUserName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return false;
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    for (const QChar ch : trimmed) {
        if (kForbidden.contains(ch) || ch.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

bool ProfileFile::create(const QString &path, qint16 accuracy, qint16 speed)
{
    QFile file(path);
    // Made owner-only from the first byte: a password is kept in it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;

    QByteArray bytes(kSize, '\0');
    bytes.replace(kSignatureOffset, 24, kSignature, 24);
    qToLittleEndian(accuracy, bytes.data() + kAccuracyOffset);
    qToLittleEndian(speed, bytes.data() + kSpeedOffset);
    bytes.replace(kErrorsOffset, 7, "TGSATTW", 7);
    bytes.replace(kPassOffset, kPassLength, QByteArray(kPassLength, ' '));
    // The result slots of both languages stay zero: no test taken.

    const bool written = file.write(bytes) == bytes.size();
    platform::syncToDisk(file);
    file.close();
    if (!written)
        QFile::remove(path);
    return written;
}

bool ProfileFile::open(const QString &path)
{
    close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
}

void ProfileFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}

QByteArray ProfileFile::readBytes(int offset, int count)
{
    QByteArray bytes;
    if (m_file.isOpen() && m_file.seek(offset))
        bytes = m_file.read(count);
    return bytes;
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

void ProfileFile::writeBytes(int offset, const QByteArray &bytes)
{
    if (!m_file.isOpen() || !m_file.seek(offset))
        return;
    m_file.write(bytes);
    platform::syncToDisk(m_file);
}

void ProfileFile::writeByte(int offset, char byte)
{
    writeBytes(offset, QByteArray(1, byte));
}

void ProfileFile::writeInt16(int offset, qint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    writeBytes(offset, QByteArray(bytes, 2));
}
