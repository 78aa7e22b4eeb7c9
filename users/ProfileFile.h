#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// A learner's profile: 189 bytes, 16-bit little-endian integers, text in code page 1256. Every read
// and every write addresses one field at its offset, so each change is on disk at once. A short or
// damaged file never fails a read: bytes it lacks read as blanks (text) or zeros (integers).
class ProfileFile
{
public:
    static constexpr int kSize = 189;
    static constexpr int kSignatureOffset = 0;
    static constexpr int kAccuracyOffset = 24;
    static constexpr int kSpeedOffset = 26;
    static constexpr int kErrorsOffset = 28;
    static constexpr int kBackColorOffset = 29;
    static constexpr int kSizeOffset = 30;
    static constexpr int kLangOffset = 31;
    static constexpr int kSoundOffset = 32;
    static constexpr int kBackOffset = 33;
    static constexpr int kUnitOffset = 34;
    static constexpr int kPassOffset = 35;
    static constexpr int kPassLength = 10;
    static constexpr int kArabicResultsOffset = 45;
    static constexpr int kEnglishResultsOffset = 117;
    static constexpr char kSignature[] = "Tavrin learner profile 2"; // 24 characters, never read
    static constexpr const char *kExtension = ".USR";

    // Offset of the speed of test `test` (1-3) of lesson `lesson` (1-6); the accuracy follows 2 bytes on.
    static int testSlotOffset(bool arabic, int lesson, int test);

    // Names become file names: refuse anything that is empty, could leave the folder, would hide the
    // file (a leading "."), or that a learner could not tell apart on screen (format characters such
    // as a zero-width space or a direction override, a space of any kind at either end, or nothing
    // visible at all).
    static bool isValidUserName(const QString &name);

    // True when two names would look alike in the user list: compared without case, every kind of
    // space (a no-break or an ideographic one) counting as a plain blank.
    static bool isSameUserName(const QString &a, const QString &b);

    // The learners whose profiles `folder` holds, in the folder listing's order: regular files named
    // exactly "<name>.USR". Links and anything that is not a regular file are left out, so a name
    // listed is one that open() and remove() act on.
    static QStringList listNames(const QString &folder);

    // The bytes of a new profile with its targets and every other field at its first value.
    static QByteArray newProfileBytes(qint16 accuracy, qint16 speed);

    // Writes a new profile whole or not at all, readable by its owner only; never replaces an
    // existing file. False with the system's reason when it cannot be made.
    static bool create(const QString &path, qint16 accuracy, qint16 speed, QString *error = nullptr);

    enum class OpenResult
    {
        Opened,
        Missing, // no file of that name (any more)
        InUse,   // another tutor holds it
        Failed   // `error` says why
    };

    // Opens an existing profile for reading and writing, never through a link, never creating one,
    // and holds an exclusive lock on it until close(): one tutor per profile.
    OpenResult open(const QString &path, QString *error = nullptr);
    void close();
    // True when the open file has a name besides its own (a hard link made to it): what is written
    // under one learner's name would change another's.
    bool hasOtherNames() const;
    // Removes the open profile's name, held to the end, and closes it. False with the reason.
    bool removeAndClose(QString *error = nullptr);
    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }

    ProfileFile() = default;
    ProfileFile(const ProfileFile &) = delete;
    ProfileFile &operator=(const ProfileFile &) = delete;
    ~ProfileFile() { close(); }

    // Every read goes to the file itself: nothing is kept in memory between calls.
    QByteArray readBytes(int offset, int count);
    char readByte(int offset);
    qint16 readInt16(int offset);

    // Each write is on disk when it returns true; false with the system's reason otherwise.
    bool writeBytes(int offset, const QByteArray &bytes, QString *error = nullptr);
    // A write in the file when it returns true (a kill loses nothing), synced on the writer thread,
    // which tells `synced` later ("" or the reason it failed).
    bool writeBytesSyncLater(int offset, const QByteArray &bytes, QString *error,
                             std::function<void(const QString &)> synced);
    bool writeByte(int offset, char byte, QString *error = nullptr);
    bool writeInt16(int offset, qint16 value, QString *error = nullptr);

    // The password as the learner typed it: the field unscrambled, without its padding blanks.
    QString password();

private:
    int m_fd = -1;
    QString m_path;
};
