#pragma once

#include "users/cProfileResults.h"

#include <QByteArray>
#include <QString>

// A profile's bytes read once, for a learner nobody is logged in as: what the class report and the
// read-only copy of a learner's progress show. Reading takes no lock and opens the file read only,
// so a profile another tutor holds reads as well and nothing in the folder changes.
class cProfileSnapshot
{
public:
    enum class ReadResult
    {
        Read,
        Missing, // gone since the folder was listed
        Failed,  // `reason` says why it cannot be read, in the system's words
        Damaged  // `reason` says what is wrong with it
    };
    static ReadResult Read(const QString &path, cProfileSnapshot &snapshot, QString &reason);

    cProfileSnapshot() = default;
    explicit cProfileSnapshot(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    const QByteArray &Bytes() const { return m_bytes; }
    // As ProfileFile reads them: bytes beyond the end read as zeros (integers) or blanks (flags).
    qint16 ReadInteger(int offset) const;
    char ReadFlag(int offset) const;

    // The settings as the logged-in learner's cUser answers them.
    bool IsLanguageArabic() const;
    bool IsWordsPerMinute() const;
    qint32 BackColour() const;
    qint16 GetWantedSpeed() const;
    qint16 GetWantedAccuracy() const;
    cProfileResults Results(bool bArabic) const;

private:
    QByteArray m_bytes;
};
