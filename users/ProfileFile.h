#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

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

    // Names become file names: refuse anything that is empty, could leave the folder or that the
    // file system would trip over.
    static bool isValidUserName(const QString &name);

    // Writes a new profile with its targets and every other field at its first value. Fails (and
    // writes nothing) if the file exists or cannot be made; the file is readable by its owner only.
    static bool create(const QString &path, qint16 accuracy, qint16 speed);

    // Opens an existing profile for reading and writing; never creates one.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    QByteArray readBytes(int offset, int count);
    char readByte(int offset);
    qint16 readInt16(int offset);

    void writeBytes(int offset, const QByteArray &bytes);
    void writeByte(int offset, char byte);
    void writeInt16(int offset, qint16 value);

private:
    QFile m_file;
};
