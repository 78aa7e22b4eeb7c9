#include "users/cProfileSnapshot.h"

#include "platform/SafeFile.h"
#include "users/ProfileFile.h"
#include "users/cUser.h"

#include <QFileInfo>
#include <QtEndian>

cProfileSnapshot::ReadResult cProfileSnapshot::Read(const QString &path, cProfileSnapshot &snapshot,
                                                    QString &reason)
{
    QString error;
    const int fd = platform::openRegularFile(path, false, &error);
    if (fd < 0) {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            return ReadResult::Missing;
        reason = error;
        return ReadResult::Failed;
    }
    // One byte more than a profile holds tells a longer file from a whole one.
    QByteArray bytes = platform::readAt(fd, 0, ProfileFile::kSize + 1, &error);
    platform::closeFile(fd);
    if (!error.isEmpty()) {
        reason = error;
        return ReadResult::Failed;
    }
    if (bytes.size() != ProfileFile::kSize) {
        const qint64 size = bytes.size() > ProfileFile::kSize ? QFileInfo(path).size() : bytes.size();
        reason = size == 0 ? QStringLiteral("الملف فارغ.")
                           : QStringLiteral("حجم الملف %1 بايت، وملف المستخدم %2 بايت.")
                                 .arg(size)
                                 .arg(ProfileFile::kSize);
        return ReadResult::Damaged;
    }
    snapshot = cProfileSnapshot(std::move(bytes));
    return ReadResult::Read;
}

qint16 cProfileSnapshot::ReadInteger(int offset) const
{
    // Byte by byte, as the open file reads a field the end of a short file cuts in two.
    const auto byteAt = [this](int at) { return at >= 0 && at < m_bytes.size() ? quint8(m_bytes.at(at)) : 0; };
    return qint16(quint16(byteAt(offset) | byteAt(offset + 1) << 8));
}

char cProfileSnapshot::ReadFlag(int offset) const
{
    return offset >= 0 && offset < m_bytes.size() ? m_bytes.at(offset) : ' ';
}

bool cProfileSnapshot::IsLanguageArabic() const
{
    return cUser::SettingOfFlag(ProfileFile::kLangOffset, ReadFlag(ProfileFile::kLangOffset)) ==
           QStringLiteral("Ar");
}

bool cProfileSnapshot::IsWordsPerMinute() const
{
    return cUser::SettingOfFlag(ProfileFile::kUnitOffset, ReadFlag(ProfileFile::kUnitOffset)) ==
           QStringLiteral("WPM");
}

qint32 cProfileSnapshot::BackColour() const
{
    return cUser::SettingOfFlag(ProfileFile::kBackColorOffset, ReadFlag(ProfileFile::kBackColorOffset))
        .toInt();
}

qint16 cProfileSnapshot::GetWantedSpeed() const
{
    return ReadInteger(ProfileFile::kSpeedOffset);
}

qint16 cProfileSnapshot::GetWantedAccuracy() const
{
    return ReadInteger(ProfileFile::kAccuracyOffset);
}

cProfileResults cProfileSnapshot::Results(bool bArabic) const
{
    // The reader keeps its own (shared) copy of the bytes, so the rules outlive this snapshot.
    return cProfileResults([bytes = *this](int offset) { return bytes.ReadInteger(offset); }, bArabic);
}
