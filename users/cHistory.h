#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// One finished practice line or test, as the learner's history keeps it.
struct HistoryRecord
{
    enum class Kind : quint8
    {
        PracticeLine = 0,
        Test = 1
    };
    // Where the line or test came from.
    enum class Source : quint8
    {
        Lesson = 0,
        FingerDrill = 1,
        NumberDrill = 2,
        CustomLetters = 3, // the custom practice of picked letters
        CustomFile = 4     // the custom test on a text file
    };
    // How often a key was wanted in the typed text and how often the letter typed there was wrong.
    struct KeyCount
    {
        QChar cKey;
        quint16 iWanted = 0;
        quint16 iMissed = 0;
        bool operator==(const KeyCount &) const = default;
    };

    qint64 iTime = 0; // milliseconds since 1970, UTC
    bool bArabic = true;
    Kind kind = Kind::PracticeLine;
    Source source = Source::Lesson;
    quint8 bLesson = 0;  // 1-6 for a lesson, 0 otherwise
    quint8 bSection = 0; // a lesson's section for a practice line, its test number for a test
    qint16 iSpeed = 0;   // letters per minute
    qint16 iAccuracy = 0;
    QList<KeyCount> keys;

    bool operator==(const HistoryRecord &) const = default;

    // Adds the keys of one typed line: every letter of `wanted` counts as wanted once, and as missed
    // when the letter typed at its place differs.
    void AddKeys(const QString &wanted, const QString &written);
};

// A key of the keyboard tables with its counts over a history.
struct KeyStat
{
    QString sKey;
    qint64 iWanted = 0;
    qint64 iMissed = 0;
    double Rate() const { return iWanted > 0 ? double(iMissed) / double(iWanted) : 0.0; }
};

// What the progress screen shows of one language's history.
struct HistorySummary
{
    struct TestPoint
    {
        qint64 iTime;
        qint16 iSpeed;
        qint16 iAccuracy;
    };
    QList<TestPoint> tests; // in the order they were taken
    int iLines = 0;         // practice lines
    // Counts per typed character, indexed by its UTF-16 code.
    QList<qint64> wanted = QList<qint64>(0x10000, 0);
    QList<qint64> missed = QList<qint64>(0x10000, 0);

    bool IsEmpty() const { return tests.isEmpty() && iLines == 0; }

    // The counts folded onto the entries of a keyboard table (one character each; letters without
    // regard to case), in table order. Entries of two letters (lam-alef) are never typed as one.
    QList<KeyStat> KeyStats(const QStringList &table) const;
};

// The learner's history file, <name>.HIS beside the profile: an append-only run of records, each
// "KH", its body's length (16 bits), the body and a CRC-32 of length and body. A record cut short
// by a kill or a full disk, or damaged later, is passed over: the reader looks for the next record
// that checks out, so one bad record never hides the others.
class cHistory
{
public:
    static constexpr const char *kExtension = ".HIS";

    static QString PathFor(const QString &sFolder, const QString &sUserName);

    static QByteArray Encode(const HistoryRecord &record);
    static QList<HistoryRecord> Decode(const QByteArray &bytes);
    // The summary of one language, straight from the file's bytes.
    static HistorySummary Summarise(const QByteArray &bytes, bool arabic);

    // Appends one record and syncs it to the disk; the file is made (owner-only) with its first
    // record. A symbolic link or anything but a regular file is refused. False with the reason.
    static bool Append(const QString &path, const HistoryRecord &record, QString *error = nullptr);
    // The whole file; empty when there is none or it cannot be read.
    static QByteArray ReadFile(const QString &path);

    // The weakest of the keys with at least one miss: highest miss rate first, then most misses,
    // then table order; at most `count`.
    static QList<KeyStat> WeakestKeys(const QList<KeyStat> &stats, int count = 5);

    static quint32 Crc32(const char *data, qsizetype size);
};

// Appends a record to the logged-in learner's history, stamped with the time and the training
// language. A failure is told to the learner, once until an append works again, so a full disk does
// not interrupt every line of a practice.
void RecordHistory(HistoryRecord record);
